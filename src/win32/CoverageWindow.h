#pragma once

#include "FocusKeeper.h"
#include "operations/CoverageList.h"
#include "services/LatestJobWorker.h"
#include "services/PictureFile.h"

#include <array>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// The view of screens on the Win32 API: the counts, the filter, a virtual
// list view in report mode (it asks for the texts of the rows it draws, so
// thousands of rows cost nothing more), the two pictures of the selected row
// side by side and "Save list...". The pictures are decoded on a thread of
// their own; the panes say "loading" until the latest selection's pictures
// are posted back. The window stays beside the main window, which owns it.
class CoverageWindow final {
  public:
    CoverageWindow(HWND owner, HFONT font, int dpi);
    ~CoverageWindow();
    CoverageWindow(const CoverageWindow&) = delete;
    CoverageWindow& operator=(const CoverageWindow&) = delete;

    static void RegisterWindowClass();

    void SetRows(std::vector<CoverageRow> rows);
    // Captions, counts and cells in `language` (0 English, other French).
    void SetLanguage(int32_t language);
    void Show();
    HWND Handle() const { return window_; }

  private:
    struct Pane {
        HWND control = nullptr;
        HBITMAP bitmap = nullptr;
        TextId text = kCovNone; // shown without a bitmap
    };
    // What the decoder posts back for one selection.
    struct Decoded {
        Decoded() = default;
        ~Decoded(); // deletes the bitmaps no pane took
        Decoded(const Decoded&) = delete;
        Decoded& operator=(const Decoded&) = delete;
        uint64_t ticket = 0;
        std::array<HBITMAP, 2> bitmaps{};
    };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    HWND Child(const wchar_t* className, DWORD style, RECT place, int id);
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);
    void Refilter();
    void RefreshCounts();
    void ShowSelected();
    void ShowPane(Pane& pane, HBITMAP bitmap, TextId text);
    void ShowDecoded(Decoded& decoded);
    PictureSize PaneBox(const Pane& pane) const;
    void DrawPane(const DRAWITEMSTRUCT& item) const;
    void SaveList();
    int Scaled(int pixels) const;

    HWND owner_;
    HFONT font_;
    int dpi_;
    HWND window_ = nullptr;
    HWND counts_ = nullptr;
    HWND filter_ = nullptr;
    HWND list_ = nullptr;
    HWND screenCaption_ = nullptr;
    HWND loadingCaption_ = nullptr;
    HWND save_ = nullptr;
    FocusKeeper focus_;
    std::array<Pane, 2> panes_; // the screen to copy, the current loading.png
    Texts texts_;
    std::vector<CoverageRow> rows_;
    std::vector<size_t> shown_;
    std::wstring cell_; // the text handed to the list view, alive until its next request
    std::unique_ptr<LatestJobWorker> decoder_;
};
