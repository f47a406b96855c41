#pragma once

#include "FolderDialog.h"
#include "MessageBoxes.h"
#include "shell/Form1Logic.h"

#include <QMainWindow>
#include <memory>

class CoverageDialog;
class QCheckBox;

namespace Ui {
class Form1;
}

// What the main window starts from and talks to outside itself. Empty boxes
// and dialog mean the real Qt ones; tests hand in scripted fakes and their
// own operations.
struct Form1Services {
    ProgramState program; // as the start-up filled it; the window keeps it
    std::unique_ptr<MessageBoxes> messageBoxes;
    std::unique_ptr<FolderDialog> folderDialog;
    Form1Operations operations = DefaultOperations();
};

// The main window drawn with Qt widgets: two folder fields with browse
// buttons, the four operation buttons, the install options, the progress area
// and the menu. It loads its fields from the program state when created and
// saves them when it closes.
class Form1 : public QMainWindow, public Form1Logic {
    Q_OBJECT
  public:
    explicit Form1(Form1Services services = {}, QWidget* parent = nullptr);
    ~Form1() override;

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
    // Shown, restored, raised and active, with the view of screens over it when open.
    void BringToFront();

  protected:
    void closeEvent(QCloseEvent* event) override;

    void SetFieldText(FolderField field, const std::string& text) override;
    void SetCheckState(Form1Control box, int32_t state) override;
    void SetCaption(Form1Control control, const std::string& text) override;
    void SetLanguageChecks(bool french) override;
    void SetUndoItem(bool enabled, const std::string& caption) override;
    std::string ShowFolderDialog(const std::string& startFolder, const std::string& title) override;
    void CloseWindow() override { close(); }
    void ShowCoverage(CoverageListing listing) override;
    CoverageViewPort* CoverageView() override;
    void LanguageChanged() override;

  private:
    void PlaceControls();
    void PutFixedTexts();
    void BuildMenu();
    void ConnectHandlers();
    void CentreOnScreen();
    void Text1_GotFocus();
    void Text2_GotFocus();
    QCheckBox& CheckBox(Form1Control box) const;

    std::unique_ptr<Ui::Form1> ui_;
    std::unique_ptr<MessageBoxes> messageBoxes_;
    std::unique_ptr<FolderDialog> folderDialog_;
    CoverageDialog* coverage_ = nullptr; // made at its first opening, owned by the window
};
