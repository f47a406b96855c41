#pragma once

#include "app/ProgramState.h"
#include "services/EventPacing.h"
#include "zip/ZipExtractionClass.h"

#include <memory>
#include <optional>
#include <string>

// What the unzip window does, apart from drawing: it owns the engine for one
// extraction, turns its status texts and progress into the label Label1 and
// the growing bar Shape1, and reports its errors. A window shell derives from
// it, draws through the hooks and calls Form_Load once its controls exist;
// destroying the window unloads it (the engine closes the archive).
class frmUnZipLogic {
  public:
    // `program` says which archive to open and where to extract.
    explicit frmUnZipLogic(ProgramState& program) : program_(program) {}
    virtual ~frmUnZipLogic() = default;

    bool zLib_ExtraireTout();
    bool zLib_ExtraireUnFichier();
    int32_t zLib_ExtraireExtension();
    std::string zLib_LireCommentaire();
    std::string zLib_LireContenu();

    void MonZip_Progress(int32_t Percent, bool& Cancel);
    void MonZip_Status(const std::string& Text);
    void MonZip_ZipError(int32_t Number, const std::string& Description);

    // Shows the window unless `hidden`, then extracts every entry.
    bool ExtractAllShown(bool hidden);

    std::unique_ptr<ZipExtractionClass> MonZip;
    std::string ArchivePath;
    int32_t FullBarWidth = 0;

  protected:
    // Creates the engine and opens the program's ZipArchivePath; `designedBarWidth` is
    // Shape1's width as laid out, the bar's width at 100 %.
    void Form_Load(int32_t designedBarWidth, std::shared_ptr<const ZlibBinding> zlib);
    void Form_Unload() { MonZip.reset(); }

    // Drawing hooks of the shell.
    virtual void SetBarWidth(int32_t width) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // A critical-error box with OK, titled with the program title.
    virtual void ShowError(const std::string& text) = 0;
    virtual void ShowWindow() = 0;
    virtual void YieldToWindow() = 0;

  private:
    void YieldNowAndThen();
    // Draws the bar width and the status text the engine gave last.
    void ShowWaiting();
    // Runs an engine call; the Failure it returns is shown in the window's
    // error box and gives `failed`. So is the standard library's
    // std::bad_alloc or std::system_error, the only exceptions that may
    // leave the engine.
    template <class T, class Call> T Guarded(Call call, T failed);
    // The value of `outcome`, or `failed` once its Failure is shown.
    template <class T> T Shown(Result<T> outcome, T failed);

    ProgramState& program_;
    EventPacing eventPacing_;
    std::optional<int32_t> waitingBar_;
    std::optional<std::string> waitingStatus_;
};
