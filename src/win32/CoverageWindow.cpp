#include "CoverageWindow.h"

#include "CoverageIds.h"
#include "Dpi.h"
#include "FolderDialog.h"
#include "MessageBoxes.h"
#include "PictureBitmap.h"
#include "WindowProcedure.h"
#include "WindowText.h"
#include "operations/CoverageCsv.h"
#include "resource.h"
#include "services/WideText.h"

#include <algorithm>
#include <commctrl.h>
#include <objbase.h>

namespace {

constexpr const wchar_t* kCoverageClass = L"CoverageWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_CONTROLPARENT;
// Room around a caption inside its button or check box, at 96 dpi.
constexpr int kButtonPadding = 24;
constexpr int kCheckPadding = 28;

HICON ProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANE),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void Place(HDWP& moves, HWND control, const RECT& place) {
    if (moves)
        moves =
            DeferWindowPos(moves, control, nullptr, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
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

CoverageWindow::CoverageWindow(HWND owner, CoverageHost host)
    : program_(*host.program), host_(std::move(host)), owner_(owner), dpi_(WindowDpi(owner)),
      texts_(TextsIn(0)),
      decoder_(std::make_unique<LatestJobWorker>(
          [] { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }, [] { CoUninitialize(); })) {
    const SIZE frame = FrameSize(DefaultCoverageClient(dpi_).cx, DefaultCoverageClient(dpi_).cy,
                                 kFrameStyle, kFrameExStyle, false, dpi_);
    RECT around;
    GetWindowRect(owner, &around);
    const RECT place = CentredOn(around, frame);
    window_ = CreateWindowExW(kFrameExStyle, kCoverageClass, L"", kFrameStyle, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, owner,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    AttachObject(window_, this);
    // Created on the owner's monitor, the window may sit on another one.
    dpi_ = WindowDpi(window_);
    CreateControls();
    TakeFontAndIcons();
    HWND window = window_;
    judge_ = std::make_unique<CoverageJudge>(
        [this, window](uint64_t generation, CoverageFindings batch) {
            const std::lock_guard lock(waiting_.mutex);
            Judged& judged = waiting_.judged;
            if (judged.generation != generation)
                judged = Judged{generation, {}};
            auto& [proposals, pictures] = judged.findings;
            proposals.insert(proposals.end(), batch.proposals.begin(), batch.proposals.end());
            pictures.insert(pictures.end(), batch.pictures.begin(), batch.pictures.end());
            if (!waiting_.woken)
                waiting_.woken = PostMessageW(window, kFindingsWaiting, 0, 0) != 0;
        });
}

CoverageWindow::~CoverageWindow() {
    // The threads first: what they posted since is still in the queue.
    decoder_.reset();
    judge_.reset();
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
    DeleteObject(font_);
    DestroyIcon(bigIcon_);
    DestroyIcon(smallIcon_);
}

HWND CoverageWindow::Child(const wchar_t* className, DWORD style, int id) {
    // Clipped by its siblings: while the layout moves them, none paints over another.
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0,
                           0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// Created in tab order: the dialog keys walk the controls in creation order.
void CoverageWindow::CreateControls() {
    status_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, kStatus);
    filter_ = Child(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kFilter);
    outOfDate_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, kOutOfDate);
    ShowWindow(outOfDate_, SW_HIDE);
    refresh_ = Child(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kRefresh);
    list_ = Child(WC_LISTVIEWW,
                  WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                      LVS_SHOWSELALWAYS,
                  kList);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int column = 0; column < kCoverageColumnCount; ++column) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_WIDTH | LVCF_TEXT;
        spec.cx = ScaledBy(100, dpi_);
        spec.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(list_, column, &spec);
    }
    for (int i = 0; i < kDecisionButtonCount; ++i)
        decisions_[i] = Child(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, kAccept + i);
    captions_[0] = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, kScreenCaption);
    captions_[1] = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, kLoadingCaption);
    panes_[0].control = Child(L"STATIC", SS_OWNERDRAW, kScreenPane);
    panes_[1].control = Child(L"STATIC", SS_OWNERDRAW, kLoadingPane);
    save_ = Child(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kSave);
}

// The font and the icons at the window's dpi, given to every control.
void CoverageWindow::TakeFontAndIcons() {
    HFONT old = font_;
    font_ = DialogFont(dpi_);
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old)
        DeleteObject(old);
    HICON oldBig = bigIcon_;
    HICON oldSmall = smallIcon_;
    bigIcon_ = ProgramIcon(ScaledBy(32, dpi_));
    smallIcon_ = ProgramIcon(ScaledBy(16, dpi_));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    if (oldBig)
        DestroyIcon(oldBig);
    if (oldSmall)
        DestroyIcon(oldSmall);
}

int CoverageWindow::TextWidth(const std::string& text) const {
    return TextWidthIn(window_, font_, text);
}

CoverageWidths CoverageWindow::MeasureCaptions() const {
    const int buttonPadding = ScaledBy(kButtonPadding, dpi_);
    CoverageWidths widths;
    for (int i = 0; i < kDecisionButtonCount; ++i)
        widths.decisions[i] = TextWidth(WindowText(decisions_[i])) + buttonPadding;
    // The room the counts will need once the proposals are in, kept from
    // the start: a second line taken later would move everything under it.
    widths.status = std::max(TextWidth(WindowText(status_)), TextWidth(statusRoom_));
    widths.filter = TextWidth(WindowText(filter_)) + ScaledBy(kCheckPadding, dpi_);
    widths.refresh = TextWidth(WindowText(refresh_)) + buttonPadding;
    widths.save = TextWidth(WindowText(save_)) + buttonPadding;
    return widths;
}

void CoverageWindow::LayOut() {
    const PictureSize paneBefore = PaneBox(panes_[0]);
    RECT client;
    GetClientRect(window_, &client);
    const CoveragePlaces places =
        PlaceCoverage({client.right, client.bottom}, dpi_, MeasureCaptions());
    // All controls move at once, then the whole window paints once: moved
    // one by one, each left its old place to be painted over by the next.
    HDWP moves = BeginDeferWindowPos(8 + kDecisionButtonCount);
    Place(moves, status_, places.status);
    Place(moves, filter_, places.filter);
    Place(moves, outOfDate_, places.outOfDate);
    Place(moves, refresh_, places.refresh);
    Place(moves, list_, places.list);
    for (int i = 0; i < kDecisionButtonCount; ++i)
        Place(moves, decisions_[i], places.decisions[i]);
    for (int i = 0; i < 2; ++i) {
        Place(moves, captions_[i], places.captions[i]);
        Place(moves, panes_[i].control, places.panes[i]);
    }
    Place(moves, save_, places.save);
    if (moves)
        EndDeferWindowPos(moves);
    ListView_SetColumnWidth(list_, kCoverageColumnCount - 1, LVSCW_AUTOSIZE_USEHEADER);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // The pictures are decoded to their panes' size: panes that changed
    // size show them again. At the first placing the panes had no size yet,
    // and the first row's pictures had been decoded to a single pixel.
    const PictureSize paneAfter = PaneBox(panes_[0]);
    if (paneAfter.width != paneBefore.width || paneAfter.height != paneBefore.height)
        DecodeAgainAtPaneSize();
}

// At its first showing the window is as wide as its columns, up to its
// monitor's work area, and centred on the main window.
void CoverageWindow::PlaceFrame() {
    FitColumns();
    int columns = 0;
    for (int column = 0; column + 1 < kCoverageColumnCount; ++column)
        columns += ListView_GetColumnWidth(list_, column);
    const SIZE fallback = DefaultCoverageClient(dpi_);
    const int width = std::max<int>(fallback.cx, columns + lastColumnWidth_ + ScaledBy(48, dpi_));
    const SIZE frame = FrameSize(width, fallback.cy, kFrameStyle, kFrameExStyle, false, dpi_);
    RECT around;
    GetWindowRect(owner_, &around);
    const RECT place = CentredOn(around, frame);
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    placed_ = true;
    KeepLastColumnInView();
}

// The smallest frame that keeps every caption whole, but never larger than
// the work area: the window must fit its monitor first.
POINT CoverageWindow::MinimumFrame() const {
    const SIZE client = MinimumCoverageClient(dpi_, MeasureCaptions());
    const SIZE frame = FrameSize(client.cx, client.cy, kFrameStyle, kFrameExStyle, false, dpi_);
    RECT window;
    GetWindowRect(window_, &window);
    const RECT fitted =
        InsideWorkArea({window.left, window.top, window.left + frame.cx, window.top + frame.cy});
    return {fitted.right - fitted.left, fitted.bottom - fitted.top};
}

void CoverageWindow::OnDpiChanged(int dpi, LPARAM suggested) {
    const int old = dpi_;
    dpi_ = dpi;
    TakeFontAndIcons();
    for (int column = 0; column + 1 < kCoverageColumnCount; ++column)
        ListView_SetColumnWidth(list_, column,
                                MulDiv(ListView_GetColumnWidth(list_, column), dpi, old));
    TakeSuggestedRect(window_, suggested);
    LayOut(); // the pictures again, at the panes' new size
    for (Pane& pane : panes_)
        InvalidateRect(pane.control, nullptr, TRUE);
}

void CoverageWindow::Show() {
    focus_.Forget(); // a fresh list: the focus starts on it
    if (!placed_)
        PlaceFrame();
    if (IsIconic(window_))
        ShowWindow(window_, SW_RESTORE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(list_);
}

void CoverageWindow::SetLanguage(int32_t language) {
    texts_ = TextsIn(language);
    SetWindowTextUtf8(window_, texts_[kCovTitle]);
    SetWindowTextUtf8(filter_, texts_[kCovOnlyNeedAttention]);
    SetWindowTextUtf8(outOfDate_, texts_[kCovOutOfDate]);
    SetWindowTextUtf8(refresh_, texts_[kCovRefresh]);
    const std::array<TextId, kDecisionButtonCount> decisions{
        kCovAccept, kCovAcceptRule, kCovPickScreen, kCovMarkNoScreen, kCovForgetLink};
    for (int i = 0; i < kDecisionButtonCount; ++i)
        SetWindowTextUtf8(decisions_[i], texts_[decisions[i]]);
    SetWindowTextUtf8(save_, texts_[kCovSaveList]);
    SetWindowTextUtf8(captions_[0], texts_[kCovScreenPane]);
    SetWindowTextUtf8(captions_[1], texts_[kCovLoadingPngPane]);
    for (int column = 0; column < kCoverageColumnCount; ++column) {
        std::wstring text = WideFromUtf8(CoverageHeading(column, texts_));
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT;
        spec.pszText = text.data();
        ListView_SetColumn(list_, column, &spec);
    }
    RefreshStatus();
    if (placed_) {
        FitColumns();
        LayOut();
    }
    // The order by a column's texts changes with their language.
    if (sortColumn_ >= 0) {
        const CoverageRow* row = SelectedRow();
        Refilter(row ? row->layout : std::string());
    }
    InvalidateRect(list_, nullptr, TRUE);
    for (const Pane& pane : panes_)
        InvalidateRect(pane.control, nullptr, TRUE);
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
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayOut();
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = MinimumFrame();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), lParam);
        return 0;
    case kPicturesDecoded:
        ShowDecoded(*std::unique_ptr<Decoded>(reinterpret_cast<Decoded*>(lParam)));
        return 0;
    case kFindingsWaiting:
        SetTimer(window_, kFindingsTimer, kFindingsDelayMs, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kFindingsTimer)
            TakeWaitingFindings();
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

void CoverageWindow::ShowSelected() {
    const std::array<std::string, 2> paths = SelectedPictures();
    for (size_t i = 0; i < panes_.size(); ++i)
        ShowPane(panes_[i], nullptr, paths[i].empty() ? kCovNone : kCovDecoding);
    if (paths[0].empty() && paths[1].empty()) {
        decoder_->Forget();
        return;
    }
    Decode(paths);
}

// A picture shown stays while it is decoded again at the new size: taken
// down at every step of a drag of the frame, it would give way to the
// "decoding" text for as long as the drag lasts.
void CoverageWindow::DecodeAgainAtPaneSize() {
    bool awaited = false;
    for (Pane& pane : panes_)
        if (pane.bitmap || pane.text == kCovDecoding) {
            pane.text = kCovDecoding; // the bitmap is drawn until its successor comes
            awaited = true;
        }
    if (awaited)
        Decode(SelectedPictures());
}

void CoverageWindow::Decode(const std::array<std::string, 2>& paths) {
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
    RECT box{};
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
    FileDialogSpec spec{texts_[kCovSaveList], texts_[kCovCsvFilter], L"*.csv"};
    spec.fileName = "screens.csv";
    spec.extension = L"csv";
    spec.saving = true;
    const std::string file = RunFileDialog(window_, spec);
    if (file.empty())
        return;
    if (!SaveCoverageCsv(file, listing_, texts_, Machine()))
        ShowMessageBox(window_, texts_[kCovSaveFailed], MessageIcon::Exclamation);
}
