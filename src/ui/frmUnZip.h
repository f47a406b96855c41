#pragma once

#include "shell/frmUnZipLogic.h"

#include <QDialog>
#include <memory>
#include <string>

class MessageBoxes;
class QFrame;
class QLabel;

// The unzip progress window drawn with Qt widgets: the bar Shape1 and the
// status line Label1. It loads (opening the program's ZipArchivePath) when created and
// unloads (closing the archive) when destroyed.
class frmUnZip : public QDialog, public frmUnZipLogic {
    Q_OBJECT
  public:
    frmUnZip(ProgramState& program, MessageBoxes& boxes, QWidget* parent = nullptr,
             std::shared_ptr<const ZlibBinding> zlib = LinkedZlib());
    ~frmUnZip() override;

  protected:
    // The window stays while the engine works; it goes when it is unloaded.
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

    void SetBarWidth(int32_t width) override;
    void SetStatusText(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowWindow() override { show(); }
    void YieldToWindow() override;

  private:
    void BuildControls();

    MessageBoxes& boxes_;
    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
};
