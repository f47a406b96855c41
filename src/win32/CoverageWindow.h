#pragma once

#include "CoverageLayout.h"
#include "FocusKeeper.h"
#include "app/ProgramState.h"
#include "operations/CoverageJudge.h"
#include "operations/CoverageList.h"
#include "operations/ScreenLinks.h"
#include "services/LatestJobWorker.h"
#include "services/PictureFile.h"
#include "shell/CoverageViewPort.h"

#include <array>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include <windows.h>

// The view of screens on the Win32 API: the status line, the filter, a
// virtual list view in report mode (it asks for the texts of the rows it
// draws, so thousands of rows cost nothing more), the buttons that decide
// for the selected row, the two pictures of the selected row side by side
// and "Save list...". It sizes itself to the monitor it is on and follows
// that monitor's dpi. Pictures are decoded and judged on threads of their
// own; what they find is posted back to the window's thread. The window
// stays beside the main window, which owns it.
class CoverageWindow final : public CoverageViewPort {
  public:
    // `host.program` outlives the window.
    CoverageWindow(HWND owner, CoverageHost host);
    ~CoverageWindow() override;
    CoverageWindow(const CoverageWindow&) = delete;
    CoverageWindow& operator=(const CoverageWindow&) = delete;

    static void RegisterWindowClass();

    void SetListing(CoverageListing listing) override;
    void MarkOutOfDate() override;
    bool Showing() const override { return IsWindowVisible(window_) != FALSE; }
    // Captions, counts and cells in `language` (0 English, other French).
    void SetLanguage(int32_t language);
    void Show();
    HWND Handle() const { return window_; }

  private:
    struct Pane {
        HWND control = nullptr;
        HBITMAP bitmap = nullptr;
        TextId text = kCovNone; // shown without a bitmap; kCovDecoding: a decode is awaited
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
    // What the judge found on one listing's rows.
    struct Judged {
        uint64_t generation = 0;
        CoverageFindings findings;
    };
    // Findings wait here for the window. The judge's thread adds its batches
    // and wakes the window once; the window takes them all on a timer, whose
    // message comes after the user's keys and clicks: a message posted per
    // batch would come before them, and thousands of rows' findings would
    // hold the keys until the last batch.
    struct WaitingFindings {
        std::mutex mutex;
        Judged judged;
        bool woken = false;
    };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    HWND Child(const wchar_t* className, DWORD style, int id);
    void PlaceFrame();
    void LayOut();
    CoverageWidths MeasureCaptions() const;
    POINT MinimumFrame() const;
    int TextWidth(const std::string& text) const;
    void FitColumns();
    void WidenColumns(const std::vector<size_t>& rows);
    void KeepLastColumnInView();
    void OnDpiChanged(int dpi, LPARAM suggested);
    void TakeFontAndIcons();
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);
    int FindRow(const NMLVFINDITEM& find) const;
    void SortBy(int column);
    void ShowSortArrow();
    // `quietly`: for findings coming in, the list is neither scrolled nor
    // its selection's pictures decoded again.
    void Refilter(const std::string& keepLayout, bool quietly = false);
    void RefreshStatus();
    const CoverageRow* SelectedRow() const;
    bool FilterOn() const;
    void SelectLayout(const std::string& layout, bool quietly = false);
    std::array<std::string, 2> SelectedPictures() const;
    void EnableDecisions();
    void Decide(const std::function<void(ScreenLinks&)>& change);
    void PickScreen(const CoverageRow& row);
    void TakeWaitingFindings();
    void ShowJudged(const Judged& judged);
    void ShowSelected();
    void DecodeAgainAtPaneSize();
    void Decode(const std::array<std::string, 2>& paths);
    void ShowPane(Pane& pane, HBITMAP bitmap, TextId text);
    void ShowDecoded(Decoded& decoded);
    PictureSize PaneBox(const Pane& pane) const;
    void DrawPane(const DRAWITEMSTRUCT& item) const;
    void SaveList();

    const ProgramState& program_;
    CoverageHost host_;
    HWND owner_;
    int dpi_;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HWND filter_ = nullptr;
    HWND outOfDate_ = nullptr;
    HWND refresh_ = nullptr;
    HWND list_ = nullptr;
    std::array<HWND, kDecisionButtonCount> decisions_{};
    std::array<HWND, 2> captions_{};
    HWND save_ = nullptr;
    bool placed_ = false; // sized to its columns at its first showing
    FocusKeeper focus_;
    std::array<Pane, 2> panes_; // the screen to copy, the current loading.png
    Texts texts_;
    CoverageListing listing_;
    std::vector<size_t> shown_;
    std::vector<int> shownAt_; // row -> its place in shown_, or -1
    int sortColumn_ = -1;      // the install's order
    bool selecting_ = false;   // the selection is moved by the window itself
    int lastColumnWidth_ = 0;  // what the last column's texts need
    // The counts line once every waiting proposal is in, kept with the line
    // itself: measured at every move of the frame, it is not counted anew.
    std::string statusRoom_;
    bool ascending_ = true;
    std::wstring cell_; // the text handed to the list view, alive until its next request
    std::unique_ptr<LatestJobWorker> decoder_;
    WaitingFindings waiting_;
    std::unique_ptr<CoverageJudge> judge_; // last: it stops before what it fills goes
};
