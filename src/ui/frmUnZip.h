#pragma once

#include "zip/ZipExtractionClass.h"

#include <QDialog>
#include <QElapsedTimer>
#include <memory>
#include <string>

class MessageBoxes;
class QFrame;
class QLabel;

// The unzip progress window: owns the engine for one extraction, shows its
// status texts in Label1 and its progress as the growing bar Shape1, and
// reports its errors in message boxes. It loads (opening ZipArchivePath)
// when created and unloads (closing the archive) when destroyed.
class frmUnZip : public QDialog {
    Q_OBJECT
  public:
    explicit frmUnZip(MessageBoxes& boxes, QWidget* parent = nullptr,
                      std::shared_ptr<const ZlibBinding> zlib = LinkedZlib());
    ~frmUnZip() override;

    bool zLib_ExtraireTout();
    bool zLib_ExtraireUnFichier();
    int32_t zLib_ExtraireExtension();
    std::string zLib_LireCommentaire();
    std::string zLib_LireContenu();

    void MonZip_Progress(int32_t Percent, bool& Cancel);
    void MonZip_Status(const std::string& Text);
    void MonZip_ZipError(int32_t Number, const std::string& Description);

    std::unique_ptr<ZipExtractionClass> MonZip;
    std::string ArchivePath;
    int32_t FullBarWidth = 0;

  protected:
    // The window stays while the engine works; it goes when it is unloaded.
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

  private:
    void BuildControls();
    void Form_Load(std::shared_ptr<const ZlibBinding> zlib);
    void Form_Unload();
    void SetBarWidth(int32_t width);
    void YieldToWindows();
    // Runs an engine call; an error that leaves the engine is shown in the
    // window's error box and gives `failed`.
    template <class Result, class Call> Result Guarded(Call call, Result failed);

    MessageBoxes& boxes_;
    QElapsedTimer sinceYield_;
    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
};
