#include "CoverageWindow.h"

#include "MessageBoxes.h"
#include "PictureBitmap.h"
#include "WindowProcedure.h"
#include "WindowText.h"
#include "operations/CoverageCsv.h"
#include "services/WideText.h"

#include <algorithm>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>

namespace {

constexpr const wchar_t* kCoverageClass = L"CoverageWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_CONTROLPARENT;

// Posted by the decoder's thread; lParam is a Decoded the window deletes.
constexpr UINT kPicturesDecoded = WM_APP + 1;

// Control ids; the panes are drawn by the window itself.
enum : int {
    kCounts = 200,
    kFilter,
    kList,
    kScreenCaption,
    kLoadingCaption,
    kScreenPane,
    kLoadingPane,
    kSave
};

// The layout at 96 DPI, in pixels of the client area.
constexpr int kClientWidth = 680;
constexpr int kClientHeight = 640;
constexpr int kPaneWidth = 320;
constexpr int kPaneHeight = 240;
constexpr RECT kCountsPlace{10, 10, 670, 28};
constexpr RECT kFilterPlace{10, 32, 670, 52};
constexpr RECT kListPlace{10, 58, 670, 318};
constexpr RECT kScreenCaptionPlace{10, 326, 330, 344};
constexpr RECT kLoadingCaptionPlace{350, 326, 670, 344};
constexpr RECT kScreenPanePlace{10, 346, 10 + kPaneWidth, 346 + kPaneHeight};
constexpr RECT kLoadingPanePlace{350, 346, 350 + kPaneWidth, 346 + kPaneHeight};
constexpr RECT kSavePlace{530, 600, 670, 628};
constexpr int kColumnWidths[kCoverageColumnCount] = {200, 160, 80, 200};

// "CSV files (*.csv)" followed by its pattern, as the save dialog takes a filter.
std::wstring SaveFilter(const std::string& caption) {
    std::wstring filter = WideFromUtf8(caption);
    filter += L'\0';
    filter += L"*.csv";
    filter += L'\0';
    return filter;
}

} // namespace

void CoverageWindow::RegisterWindowClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure<CoverageWindow, &CoverageWindow::HandleMessage>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kCoverageClass;
    RegisterClassW(&windowClass);
}

CoverageWindow::CoverageWindow(HWND owner, HFONT font, int dpi)
    : owner_(owner), font_(font), dpi_(dpi), texts_(TextsIn(0)),
      decoder_(std::make_unique<LatestJobWorker>(
          [] { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }, [] { CoUninitialize(); })) {
    RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustWindowRectEx(&frame, kFrameStyle, FALSE, kFrameExStyle);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    window_ = CreateWindowExW(kFrameExStyle, kCoverageClass, L"", kFrameStyle,
                              std::max<int>(work.left, (work.left + work.right - width) / 2),
                              std::max<int>(work.top, (work.top + work.bottom - height) / 2), width,
                              height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    AttachObject(window_, this);
    CreateControls();
}

CoverageWindow::~CoverageWindow() {
    // The decoder first: what it posted since is still in the queue.
    decoder_.reset();
    MSG message;
    while (PeekMessageW(&message, window_, kPicturesDecoded, kPicturesDecoded, PM_REMOVE))
        delete reinterpret_cast<Decoded*>(message.lParam);
    for (Pane& pane : panes_)
        if (pane.bitmap)
            DeleteObject(pane.bitmap);
    if (IsWindow(window_)) {
        DetachObject(window_);
        DestroyWindow(window_);
    }
}

int CoverageWindow::Scaled(int pixels) const {
    return MulDiv(pixels, dpi_, 96);
}

HWND CoverageWindow::Child(const wchar_t* className, DWORD style, RECT place, int id) {
    HWND child = CreateWindowExW(
        0, className, L"", WS_CHILD | WS_VISIBLE | style, Scaled(place.left), Scaled(place.top),
        Scaled(place.right - place.left), Scaled(place.bottom - place.top), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

void CoverageWindow::CreateControls() {
    counts_ = Child(L"STATIC", SS_LEFT, kCountsPlace, kCounts);
    filter_ = Child(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kFilterPlace, kFilter);
    list_ = Child(WC_LISTVIEWW,
                  WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                      LVS_SHOWSELALWAYS,
                  kListPlace, kList);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_WIDTH | LVCF_TEXT;
        spec.cx = Scaled(kColumnWidths[column]);
        spec.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(list_, column, &spec);
    }
    screenCaption_ = Child(L"STATIC", SS_LEFT, kScreenCaptionPlace, kScreenCaption);
    loadingCaption_ = Child(L"STATIC", SS_LEFT, kLoadingCaptionPlace, kLoadingCaption);
    panes_[0].control = Child(L"STATIC", SS_OWNERDRAW, kScreenPanePlace, kScreenPane);
    panes_[1].control = Child(L"STATIC", SS_OWNERDRAW, kLoadingPanePlace, kLoadingPane);
    save_ = Child(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kSavePlace, kSave);
}

void CoverageWindow::Show() {
    focus_.Forget(); // a fresh list: the focus starts on it
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(list_);
}

void CoverageWindow::SetRows(std::vector<CoverageRow> rows) {
    rows_ = std::move(rows);
    Refilter();
    RefreshCounts();
}

void CoverageWindow::SetLanguage(int32_t language) {
    texts_ = TextsIn(language);
    SetWindowTextUtf8(window_, texts_[kCovTitle]);
    SetWindowTextUtf8(filter_, texts_[kCovOnlyWithout]);
    SetWindowTextUtf8(save_, texts_[kCovSaveList]);
    SetWindowTextUtf8(screenCaption_, texts_[kCovScreenPane]);
    SetWindowTextUtf8(loadingCaption_, texts_[kCovLoadingPngPane]);
    for (int column = 0; column < kCoverageColumnCount; ++column) {
        std::wstring text = WideFromUtf8(CoverageHeading(column, texts_));
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT;
        spec.pszText = text.data();
        ListView_SetColumn(list_, column, &spec);
    }
    RefreshCounts();
    InvalidateRect(list_, nullptr, TRUE);
    for (const Pane& pane : panes_)
        InvalidateRect(pane.control, nullptr, TRUE);
}

void CoverageWindow::Refilter() {
    const bool onlyWithout = SendMessageW(filter_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    shown_ = ShownRows(rows_, onlyWithout);
    ListView_SetItemCountEx(list_, static_cast<int>(shown_.size()), 0);
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    // The first row is selected, so its pictures show at once.
    if (!shown_.empty())
        ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    InvalidateRect(list_, nullptr, TRUE);
    ShowSelected();
}

void CoverageWindow::RefreshCounts() {
    SetWindowTextUtf8(counts_, CountsLineOf(CountCoverage(rows_), texts_));
}

LRESULT CoverageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
        DrawPane(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case kPicturesDecoded:
        ShowDecoded(*std::unique_ptr<Decoded>(reinterpret_cast<Decoded*>(lParam)));
        return 0;
    case WM_ACTIVATE:
        focus_.OnActivate(window_, wParam, list_);
        return 0;
    case WM_CLOSE:
        // Hidden, not destroyed: the menu item brings it up again.
        ShowWindow(window_, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void CoverageWindow::OnCommand(int id, int code) {
    if (id == kFilter && code == BN_CLICKED)
        Refilter();
    else if (id == kSave && code == BN_CLICKED)
        SaveList();
    else if (id == IDCANCEL)
        ShowWindow(window_, SW_HIDE);
}

LRESULT CoverageWindow::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != list_)
        return 0;
    if (header.code == LVN_GETDISPINFOW) {
        auto& info = *reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header));
        const auto index = static_cast<size_t>(info.item.iItem);
        if ((info.item.mask & LVIF_TEXT) && index < shown_.size()) {
            cell_ = WideFromUtf8(CoverageCell(rows_[shown_[index]], info.item.iSubItem, texts_));
            info.item.pszText = cell_.data();
        }
    } else if (header.code == LVN_ITEMCHANGED) {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(&header);
        if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)
            ShowSelected();
    }
    return 0;
}

void CoverageWindow::ShowSelected() {
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    const CoverageRow* row = selected >= 0 && static_cast<size_t>(selected) < shown_.size()
                                 ? &rows_[shown_[static_cast<size_t>(selected)]]
                                 : nullptr;
    const std::array<std::string, 2> paths{row ? row->screenPath : "",
                                           row && row->hasLoadingPng ? row->loadingPngPath : ""};
    for (size_t i = 0; i < panes_.size(); ++i)
        ShowPane(panes_[i], nullptr, paths[i].empty() ? kCovNone : kCovDecoding);
    if (paths[0].empty() && paths[1].empty()) {
        decoder_->Forget();
        return;
    }
    const std::array<PictureSize, 2> boxes{PaneBox(panes_[0]), PaneBox(panes_[1])};
    HWND window = window_;
    decoder_->Post([paths, boxes, window](uint64_t ticket) {
        auto decoded = std::make_unique<Decoded>();
        decoded->ticket = ticket;
        for (size_t i = 0; i < paths.size(); ++i)
            if (!paths[i].empty())
                decoded->bitmaps[i] = LoadPictureBitmap(paths[i], boxes[i]);
        if (PostMessageW(window, kPicturesDecoded, 0, reinterpret_cast<LPARAM>(decoded.get())))
            decoded.release();
    });
}

CoverageWindow::Decoded::~Decoded() {
    for (HBITMAP bitmap : bitmaps)
        if (bitmap)
            DeleteObject(bitmap);
}

void CoverageWindow::ShowDecoded(Decoded& decoded) {
    if (!decoder_->IsLatest(decoded.ticket))
        return;
    for (size_t i = 0; i < panes_.size(); ++i) {
        if (panes_[i].text != kCovDecoding)
            continue;
        ShowPane(panes_[i], decoded.bitmaps[i], decoded.bitmaps[i] ? kCovNone : kCovCannotShow);
        decoded.bitmaps[i] = nullptr; // the pane's now
    }
}

// Inside the pane's sunken edge.
PictureSize CoverageWindow::PaneBox(const Pane& pane) const {
    RECT box;
    GetClientRect(pane.control, &box);
    InflateRect(&box, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
    return {static_cast<uint32_t>(std::max<LONG>(box.right - box.left, 1)),
            static_cast<uint32_t>(std::max<LONG>(box.bottom - box.top, 1))};
}

void CoverageWindow::ShowPane(Pane& pane, HBITMAP bitmap, TextId text) {
    if (pane.bitmap)
        DeleteObject(pane.bitmap);
    pane.bitmap = bitmap;
    pane.text = text;
    InvalidateRect(pane.control, nullptr, TRUE);
}

void CoverageWindow::DrawPane(const DRAWITEMSTRUCT& item) const {
    const Pane& pane = item.hwndItem == panes_[0].control ? panes_[0] : panes_[1];
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &box, EDGE_SUNKEN, BF_RECT);
    if (pane.bitmap) {
        BITMAP info{};
        GetObjectW(pane.bitmap, sizeof(info), &info);
        HDC source = CreateCompatibleDC(item.hDC);
        const HGDIOBJ old = SelectObject(source, pane.bitmap);
        BitBlt(item.hDC, (box.right - info.bmWidth) / 2, (box.bottom - info.bmHeight) / 2,
               info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    const std::wstring text = WideFromUtf8(texts_[pane.text]);
    const HGDIOBJ old = SelectObject(item.hDC, font_);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, old);
}

void CoverageWindow::SaveList() {
    // Room for a path of any length: a deep folder is a choice, not a cancel.
    std::wstring file(32768, L'\0');
    lstrcpyW(file.data(), L"screens.csv");
    const std::wstring filter = SaveFilter(texts_[kCovCsvFilter]);
    const std::wstring title = WideFromUtf8(texts_[kCovSaveList]);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&dialog))
        return;
    if (!SaveCoverageCsv(Utf8FromWide(file.c_str()), rows_, texts_))
        ShowMessageBox(window_, texts_[kCovSaveFailed], MessageIcon::Exclamation);
}
