#pragma once

#include "shell/Form1Controls.h"
#include "shell/frmUnZipLogic.h"

#include <windows.h>

// The unzip progress window drawn with GDI: the bar Shape1, painted in the
// colour of an active title bar, and the status line Label1. It loads
// (opening the program's ZipArchivePath) when created and unloads (closing the archive and
// the window) when destroyed. Its owner is the main window, so it has no
// button of its own in the taskbar.
class frmUnZip final : public frmUnZipLogic {
  public:
    frmUnZip(ProgramState& program, HWND owner, HFONT font, int dpi);
    ~frmUnZip() override;
    frmUnZip(const frmUnZip&) = delete;
    frmUnZip& operator=(const frmUnZip&) = delete;

    static void RegisterWindowClass();

  protected:
    void SetBarWidth(int32_t width) override;
    void SetStatusText(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowWindow() override;
    void YieldToWindow() override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void OnDpiChanged(int dpi, const RECT& suggested);

    HWND window_ = nullptr;
    HWND label1_ = nullptr;
    HWND owner_;
    HFONT font_ = nullptr; // made on a change of dpi; the owner's font until then
    TwipRect shape1_;
    int32_t barWidth_ = 0;
    int32_t loadedWidth_ = 1; // the bar's whole width when the logic loaded
};

// Unpacks every entry of `archive` into `destination` with the entries'
// folders, keeping files that already exist, through the unzip window (shown
// unless `hidden`). An empty `destination` becomes the program folder and is
// handed back. `program` keeps what the window works on. True when the
// extraction ran through.
bool UnzipArchive(ProgramState& program, const std::string& archive, std::string& destination,
                  bool hidden, HWND owner, HFONT font, int dpi);
