#pragma once

#include "FolderDialog.h"
#include "Form1Operations.h"
#include "MessageBoxes.h"
#include "app/OperationGuard.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"

#include <QMainWindow>
#include <memory>

class QCheckBox;

namespace Ui {
class Form1;
}

// What the main window talks to outside itself. Empty boxes and dialog mean
// the real Qt ones; tests hand in scripted fakes and their own operations.
struct Form1Services {
    std::unique_ptr<MessageBoxes> messageBoxes;
    std::unique_ptr<FolderDialog> folderDialog;
    Form1Operations operations = DefaultOperations();
};

// The main window: two folder fields with browse buttons, the four operation
// buttons, the install options, the progress area and the menu. It loads its
// fields from the shared state when created and saves them when it closes.
class Form1 : public QMainWindow, public MainWindowPort {
    Q_OBJECT
  public:
    explicit Form1(Form1Services services = {}, QWidget* parent = nullptr);
    ~Form1() override;

    LayoutState& State() { return layoutState_; }

    std::string FieldText(FolderField field) const override;
    int32_t OverwriteState() const override;
    int32_t UseDefaultState() const override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    void FocusField(FolderField field) override;
    void SetHourglass(bool busy) override;
    void SetProgressVisible(bool visible) override;
    void DrawProgress(int32_t value, int32_t maximum, const std::string& caption) override;
    void YieldToWindow() override;
    bool UnzipWithWindow(const std::string& archive, const std::string& folder,
                         bool hidden) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ConnectHandlers();
    void CentreOnScreen();

    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void RefreshCaptions();
    void SetLanguageChecks(bool french);

    void MnuQuit_Click();
    void MnuEnglish_Click();
    void MnuFrench_Click();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

    // Runs one operation unless another is running; carries out a close
    // that was asked for meanwhile.
    void RunOperation(const WindowOperation& operation);
    void OfferUnzipAtStart();
    void DeleteTemporaryFiles();
    std::string BrowseFrom(const std::string& initialFolder, const std::string& title);

    std::unique_ptr<Ui::Form1> ui_;
    std::unique_ptr<MessageBoxes> messageBoxes_;
    std::unique_ptr<FolderDialog> folderDialog_;
    Form1Operations operations_;
    LayoutState layoutState_;
    OperationGuard guard_;
    bool closing_ = false;
    bool unloaded_ = false;
};
