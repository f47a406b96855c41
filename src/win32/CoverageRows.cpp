// The view's list and what the user decides on its rows.
#include "CoverageIds.h"
#include "CoverageWindow.h"
#include "Dpi.h"
#include "FolderDialog.h"
#include "MessageBoxes.h"
#include "WindowText.h"
#include "app/Texts.h"
#include "operations/LinkDecisions.h"
#include "services/WideText.h"

#include <algorithm>
#include <commctrl.h>

namespace {

// Enough rows to find each column's usual width without measuring thousands.
constexpr size_t kMeasuredRows = 200;
constexpr int kCellPadding = 16;     // at 96 dpi
constexpr int kWidestColumn = 320;   // a longer name is cut, the others stay in view
constexpr int kNarrowestColumn = 90; // what a column keeps when the last needs room

// A caption as a dialog's title: its accelerator mark dropped.
std::string WithoutMark(std::string caption) {
    std::erase(caption, '&');
    return caption;
}

bool StartsWithIgnoringCase(const std::wstring& text, const wchar_t* prefix) {
    const int length = lstrlenW(prefix);
    return static_cast<int>(text.size()) >= length &&
           CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), length, prefix,
                          length) == CSTR_EQUAL;
}

} // namespace

void CoverageWindow::SetListing(CoverageListing listing) {
    KeepFindings(listing_, listing);
    const std::string keep =
        LayoutToKeepSelected(listing_.rows, shown_, ListView_GetNextItem(list_, -1, LVNI_SELECTED),
                             listing.rows, FilterOn());
    listing_ = std::move(listing);
    ShowWindow(outOfDate_, SW_HIDE);
    // The rows, the status line and the columns change together: the list
    // is drawn once, when all are in place.
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    Refilter(keep);
    RefreshStatus();
    if (placed_)
        WidenColumns(shown_);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    // Proposals and verdicts come in batches while the user looks.
    judge_->Judge(listing_);
}

void CoverageWindow::MarkOutOfDate() {
    ShowWindow(outOfDate_, SW_SHOW);
}

void CoverageWindow::RefreshStatus() {
    SetWindowTextUtf8(status_, StatusLineOf(listing_, texts_));
    statusRoom_ = StatusLineOnceProposed(listing_, texts_);
    if (placed_)
        LayOut(); // the new counts may need a line more or less
}

void CoverageWindow::Refilter(const std::string& keepLayout, bool quietly) {
    shown_ = ShownRows(listing_.rows, FilterOn());
    if (sortColumn_ >= 0)
        SortShownRows(shown_, listing_.rows, sortColumn_, ascending_, texts_);
    shownAt_.assign(listing_.rows.size(), -1);
    for (size_t i = 0; i < shown_.size(); ++i)
        shownAt_[shown_[i]] = static_cast<int>(i);
    ListView_SetItemCountEx(list_, static_cast<int>(shown_.size()), quietly ? LVSICF_NOSCROLL : 0);
    SelectLayout(keepLayout, quietly);
    InvalidateRect(list_, nullptr, !quietly);
}

bool CoverageWindow::FilterOn() const {
    return SendMessageW(filter_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The layout's row when it is shown, else the first row, so that a row's
// pictures always show.
void CoverageWindow::SelectLayout(const std::string& layout, bool quietly) {
    int place = shown_.empty() ? -1 : 0;
    for (size_t i = 0; i < shown_.size() && !layout.empty(); ++i)
        if (listing_.rows[shown_[i]].layout == layout) {
            place = static_cast<int>(i);
            break;
        }
    selecting_ = true;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (place >= 0) {
        ListView_SetItemState(list_, place, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        if (!quietly)
            ListView_EnsureVisible(list_, place, FALSE);
    }
    selecting_ = false;
    if (!quietly)
        ShowSelected();
    EnableDecisions();
}

std::array<std::string, 2> CoverageWindow::SelectedPictures() const {
    return host_.PicturesOf(SelectedRow());
}

const CoverageRow* CoverageWindow::SelectedRow() const {
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected < 0 || static_cast<size_t>(selected) >= shown_.size())
        return nullptr;
    return &listing_.rows[shown_[static_cast<size_t>(selected)]];
}

void CoverageWindow::EnableDecisions() {
    const CoverageRow* row = SelectedRow();
    const bool proposal = row && row->proposal.has_value();
    const bool ownName = row && row->origin == ScreenOrigin::OwnName;
    const bool decided =
        row && (row->origin == ScreenOrigin::Linked || row->origin == ScreenOrigin::NotWanted);
    const std::array<bool, kDecisionButtonCount> enabled{
        proposal, proposal, row && !ownName,
        row && !ownName && row->origin != ScreenOrigin::NotWanted, decided};
    for (int i = 0; i < kDecisionButtonCount; ++i) {
        // A button that goes grey under the focus would leave the keys nowhere.
        if (!enabled[i] && GetFocus() == decisions_[i])
            SetFocus(list_);
        EnableWindow(decisions_[i], enabled[i]);
    }
}

// The columns as wide as their heading and the widest of a sample of rows;
// the last one takes what is left (see LayOut).
void CoverageWindow::FitColumns() {
    lastColumnWidth_ = 0;
    for (int column = 0; column + 1 < kCoverageColumnCount; ++column) {
        const std::wstring heading = WideFromUtf8(CoverageHeading(column, texts_));
        ListView_SetColumnWidth(list_, column,
                                ListView_GetStringWidth(list_, heading.c_str()) +
                                    ScaledBy(kCellPadding, dpi_));
    }
    WidenColumns(shown_);
}

// Widens (never narrows) the columns for a sample of `rows`; the last one
// takes what the others leave.
void CoverageWindow::WidenColumns(const std::vector<size_t>& rows) {
    const size_t step = std::max<size_t>(1, rows.size() / kMeasuredRows);
    const int padding = ScaledBy(kCellPadding, dpi_);
    for (int column = 0; column < kCoverageColumnCount; ++column) {
        const bool last = column == kCoverageColumnCount - 1;
        int width = last ? lastColumnWidth_ : ListView_GetColumnWidth(list_, column);
        const int widest = std::max(width, ScaledBy(kWidestColumn, dpi_));
        for (size_t i = 0; i < rows.size() && width < widest; i += step) {
            const std::wstring text =
                WideFromUtf8(CoverageCell(listing_.rows[rows[i]], column, texts_));
            width = std::max(width, ListView_GetStringWidth(list_, text.c_str()) + padding);
        }
        if (last)
            lastColumnWidth_ = std::min(width, widest);
        else if (width != ListView_GetColumnWidth(list_, column))
            ListView_SetColumnWidth(list_, column, std::min(width, widest));
    }
    KeepLastColumnInView();
}

// When the columns are wider than the list, the widest ones give way so
// that the last column, what the install will do, stays in view.
void CoverageWindow::KeepLastColumnInView() {
    if (!placed_)
        return; // the list has no width yet
    RECT inside;
    GetClientRect(list_, &inside);
    const int narrowest = ScaledBy(kNarrowestColumn, dpi_);
    std::array<int, kCoverageColumnCount - 1> widths{};
    int excess = lastColumnWidth_ - inside.right;
    for (int column = 0; column + 1 < kCoverageColumnCount; ++column) {
        widths[column] = ListView_GetColumnWidth(list_, column);
        excess += widths[column];
    }
    while (excess > 0) {
        const auto widest = std::max_element(widths.begin(), widths.end());
        const int cut = std::min(excess, *widest - narrowest);
        if (cut <= 0)
            break;
        *widest -= cut;
        excess -= cut;
    }
    for (int column = 0; column + 1 < kCoverageColumnCount; ++column)
        if (widths[column] != ListView_GetColumnWidth(list_, column))
            ListView_SetColumnWidth(list_, column, widths[column]);
    ListView_SetColumnWidth(list_, kCoverageColumnCount - 1, LVSCW_AUTOSIZE_USEHEADER);
}

void CoverageWindow::OnCommand(int id, int code) {
    if (code != BN_CLICKED && id != IDCANCEL)
        return;
    const CoverageRow* row = SelectedRow();
    switch (id) {
    case kFilter:
        return Refilter(row ? row->layout : std::string());
    case kRefresh:
        return host_.refresh();
    case kSave:
        return SaveList();
    case IDCANCEL:
        ShowWindow(window_, SW_HIDE);
        return;
    }
    if (!row)
        return;
    const CoverageRow chosen = *row; // the listing is replaced by the refresh
    switch (id) {
    case kAccept:
        return Decide([&chosen](ScreenLinks& links) { AcceptProposal(links, chosen); });
    case kAcceptRule:
        if (chosen.proposal) {
            const NearRule rule = chosen.proposal->rule;
            const CoverageListing& listing = listing_;
            Decide([&listing, rule](ScreenLinks& links) { AcceptRule(links, listing, rule); });
        }
        return;
    case kPickScreen:
        return PickScreen(chosen);
    case kMarkNoScreen:
        return Decide([&chosen](ScreenLinks& links) { links.MarkNoScreenWanted(chosen.layout); });
    case kForgetLink:
        return Decide([&chosen](ScreenLinks& links) { links.Unlink(chosen.layout); });
    }
}

// The links file changes, then the view lists the folders again. The keys
// go back to the list, where typing finds the next layout to decide on.
void CoverageWindow::Decide(const std::function<void(ScreenLinks&)>& change) {
    if (!ChangeScreenLinks(program_, change))
        ShowMessageBox(window_, texts_[kCovLinksSaveFailed], MessageIcon::Exclamation);
    // A button's access key gives it the focus; the keys pressed while the
    // refresh lists (Down, the next Alt+A) belong to the list.
    SetFocus(list_);
    host_.refresh();
}

void CoverageWindow::PickScreen(const CoverageRow& row) {
    std::string screens = host_.screensFolder();
    const std::string picked = RunPictureDialog(
        window_, screens, WithoutMark(texts_[kCovPickScreen]), texts_[kCovPickFilter]);
    if (picked.empty())
        return;
    PickedScreen outcome = PickedScreen::Linked;
    Decide([&](ScreenLinks& links) {
        outcome = LinkPickedScreen(links, row.layout, picked, screens);
    });
    if (outcome == PickedScreen::OutsideScreensFolder)
        ShowMessageBox(window_, WithValues(texts_[kCovPickOutsideScreens], {screens}),
                       MessageIcon::Exclamation);
}

LRESULT CoverageWindow::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != list_)
        return 0;
    auto& any = const_cast<NMHDR&>(header);
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(any);
        const auto index = static_cast<size_t>(info.item.iItem);
        if ((info.item.mask & LVIF_TEXT) && index < shown_.size()) {
            cell_ = WideFromUtf8(
                CoverageCell(listing_.rows[shown_[index]], info.item.iSubItem, texts_));
            info.item.pszText = cell_.data();
        }
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!selecting_ && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
            ShowSelected();
            EnableDecisions();
        }
        return 0;
    }
    case LVN_ODFINDITEMW:
        return FindRow(reinterpret_cast<const NMLVFINDITEM&>(header));
    case LVN_COLUMNCLICK:
        SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return 0;
    }
    return 0;
}

// Type-to-find: the first shown row from the start item on, wrapping,
// whose layout begins with what was typed, whatever its letter case.
int CoverageWindow::FindRow(const NMLVFINDITEM& find) const {
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || shown_.empty())
        return -1;
    const int count = static_cast<int>(shown_.size());
    const int start = std::clamp(find.iStart, 0, count - 1);
    for (int step = 0; step < count; ++step) {
        const int place = (start + step) % count;
        const std::wstring layout = WideFromUtf8(listing_.rows[shown_[place]].layout);
        if (StartsWithIgnoringCase(layout, find.lvfi.psz))
            return place;
    }
    return -1;
}

// A first click sorts up, a second on the same column down.
void CoverageWindow::SortBy(int column) {
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    const CoverageRow* row = SelectedRow();
    Refilter(row ? row->layout : std::string());
    ShowSortArrow();
}

void CoverageWindow::ShowSortArrow() {
    HWND header = ListView_GetHeader(list_);
    for (int column = 0; column < kCoverageColumnCount; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sortColumn_)
            item.fmt |= ascending_ ? HDF_SORTUP : HDF_SORTDOWN;
        Header_SetItem(header, column, &item);
    }
}

void CoverageWindow::TakeWaitingFindings() {
    KillTimer(window_, kFindingsTimer);
    Judged judged;
    {
        const std::lock_guard lock(waiting_.mutex);
        judged = std::exchange(waiting_.judged, Judged{waiting_.judged.generation, {}});
        waiting_.woken = false;
    }
    ShowJudged(judged);
}

// The findings go into their rows, which move when the filter or the order
// says so; the selected row's pictures are decoded again only when the
// findings change them. A late batch of an older listing is dropped.
void CoverageWindow::ShowJudged(const Judged& judged) {
    if (!judge_->IsLatest(judged.generation))
        return;
    const CoverageRow* selected = SelectedRow();
    const std::string layout = selected ? selected->layout : std::string();
    const std::array<std::string, 2> pictures = SelectedPictures();
    ApplyFindings(listing_.rows, judged.findings);
    std::vector<size_t> rows;
    for (const ProposedScreen& proposed : judged.findings.proposals)
        rows.push_back(proposed.row);
    for (const JudgedPicture& picture : judged.findings.pictures)
        rows.push_back(picture.row);
    std::erase_if(rows, [this](size_t row) { return row >= listing_.rows.size(); });
    // Drawn once, when the rows, the columns and the counts are in place:
    // rows drawn one by one while the columns widen leave smeared text.
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (FindingsMoveRows(judged.findings, FilterOn(), sortColumn_))
        Refilter(layout, true);
    WidenColumns(rows);
    RefreshStatus();
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (SelectedPictures() != pictures)
        ShowSelected();
    EnableDecisions();
    // Batches come one after another, and a window paints only when no
    // posted message waits: without this the list and the buttons would
    // show their state of long ago until the last batch.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
