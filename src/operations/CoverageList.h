#pragma once

#include "app/ProgramState.h"
#include "app/Texts.h"
#include "operations/MainWindowPort.h"
#include "operations/NearScreens.h"
#include "operations/ScreenDecision.h"
#include "operations/ScreenLinks.h"
#include "operations/ScreenPicture.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Where a row's screen comes from.
enum class ScreenOrigin {
    OwnName,   // <layout>.png of the screens folder
    Linked,    // the screen the user linked to the layout
    Default,   // the screens folder's own loading.png
    None,      // no screen (a proposal may wait)
    NotWanted, // the user marked the layout "no screen wanted"
};

// One layout folder as the install sees it now.
struct CoverageRow {
    std::string layout;
    // The layout's screen, its name as spelt on disk and its full path: the
    // one the install would copy, or the one it matches when the layout
    // keeps its own loading.png; both empty when there is none.
    std::string screen;
    std::string screenPath;
    std::string loadingPngPath; // where the layout's loading.png is or would be
    bool hasLoadingPng = false;
    ScreenAction action = ScreenAction::Nothing;
    ScreenOrigin origin = ScreenOrigin::None;
    // The screen a near name proposes, waiting for the user's yes: only for
    // a layout with no screen of its own name, no link and no mark. Nothing
    // is copied on a proposal.
    std::optional<NearProposal> proposal;
    // Whether a proposal is sought for such a layout: the view seeks them
    // off its window's thread, after the rows show.
    enum class Search { NotNeeded, Waiting, Done } proposalSearch = Search::NotNeeded;
    // The screen the user linked when the screens folder no longer has it
    // (the row then has no screen of its link and needs attention).
    std::string brokenLink;
    // What the screen at screenPath really is; nothing until it is judged
    // (the view judges off its window's thread).
    std::optional<ScreenPictureVerdict> picture;
};

inline bool ProposalPending(const CoverageRow& row) {
    return row.proposalSearch == CoverageRow::Search::Waiting;
}

struct CoverageCounts {
    long long layouts = 0;
    long long getScreen = 0;  // Copy and CopyDefault
    long long keepTheirs = 0; // Keep
    long long haveNone = 0;   // Nothing
    long long proposals = 0;
    long long pictureProblems = 0; // judged screens that would not show
    long long needAttention = 0;   // see NeedsAttention
};

// A listing of the view: its rows, or the reason there are none.
struct CoverageListing {
    std::vector<CoverageRow> rows;
    // A folder of the fields that does not exist, with its text
    // (kCovLayoutsFolderMissing or kCovScreensFolderMissing); the view
    // says so instead of "0 layouts".
    std::string missingFolder;
    TextId missingFolderText = kCovLayoutsFolderMissing;
    // The screens' names without ".png", from the listing of the screens
    // folder, when a row waits for a proposal: what proposals come from.
    std::vector<std::string> screenNames;
};

// Every layout folder of `layoutsPath` (with its separator) in the install's
// order, from the install's own listing, screen lookup and decision, with
// the screens of `sourcePath` (with its separator). `options` says what the
// boxes hold; whether the default screen exists is looked up here.
// The user's `links` decide for layouts without a screen of their own
// name, as they do for the install; the others wait for proposals.
CoverageListing ListCoverage(MainWindowPort& window, const std::string& layoutsPath,
                             const std::string& sourcePath, InstallOptions options,
                             const ScreenLinks& links = {});

// The same, for the folders and boxes the main window shows now and the
// links file of the program's folder; nothing when a field is blank, which
// the window is told as the install tells it.
std::optional<CoverageListing> ListCoverageOf(MainWindowPort& window, const ProgramState& program);

CoverageCounts CountCoverage(const std::vector<CoverageRow>& rows);

// A row that will have no loading.png after the install.
inline bool EndsWithoutScreen(const CoverageRow& row) {
    return row.action == ScreenAction::Nothing;
}

// A row the filter "Only layouts that need attention" keeps: it ends
// without a screen (unless the user wants none), a proposal waits, or its
// screen would not show.
bool NeedsAttention(const CoverageRow& row);

// The indices of the rows shown: all, or with the filter those that need
// attention, in the install's order.
std::vector<size_t> ShownRows(const std::vector<CoverageRow>& rows, bool onlyNeedingAttention);

// The layout a new listing keeps selected, from the rows shown before (in
// their order) and the place selected among them, -1 for none: that one
// while the new rows still show it, else the next one shown, else the one
// before; so that a decision which takes its row out of the filter moves on
// to the next row rather than back to the top. Empty when none is shown.
std::string LayoutToKeepSelected(const std::vector<CoverageRow>& rowsBefore,
                                 const std::vector<size_t>& shownBefore, int selected,
                                 const std::vector<CoverageRow>& rowsAfter,
                                 bool onlyNeedingAttention);

// Sorts the shown rows by the texts of `column` (letter case and numbers
// read as a person reads them), the install's order between equal texts;
// column -1 is the install's order itself.
void SortShownRows(std::vector<size_t>& shown, const std::vector<CoverageRow>& rows, int column,
                   bool ascending, const Texts& texts);

// Among `shown`, the rows whose `column` cell has the most characters, at
// most `count` of them: the few worth measuring to fit a column to its
// longest text, wherever in thousands of rows that text is.
std::vector<size_t> LongestCellRows(const std::vector<CoverageRow>& rows,
                                    const std::vector<size_t>& shown, int column,
                                    const Texts& texts, size_t count);

// Puts verdicts judged off the window's thread into their rows.
struct JudgedPicture {
    size_t row = 0;
    ScreenPictureVerdict verdict;
};
void ApplyJudgedPictures(std::vector<CoverageRow>& rows, const std::vector<JudgedPicture>& judged);

// What the view learns of its rows after they show: proposals sought (the
// proposal may be none) and pictures judged.
struct ProposedScreen {
    size_t row = 0;
    std::optional<NearProposal> proposal;
};
struct CoverageFindings {
    std::vector<ProposedScreen> proposals;
    std::vector<JudgedPicture> pictures;
};
void ApplyFindings(std::vector<CoverageRow>& rows, const CoverageFindings& findings);
// A new listing keeps what was found for the older one until it is found
// again, so that a decision neither sends every other proposal back to
// waiting nor takes the rows with bad pictures out of the filter for a
// while: the proposals when the screens' names are the same (a proposal
// depends on nothing else), and the verdict on a row's screen when the row
// has the same screen (the judge judges it again).
void KeepFindings(const CoverageListing& before, CoverageListing& after);
// The proposals for every row of `listing` that waits for one, in one go.
void ProposeNearScreens(CoverageListing& listing);
// The listing's rows, each with its proposal, sought here for the rows that
// still wait: what outlasts the view (a saved list, the links of a rule
// accepted) must not depend on how far the judge has come.
std::vector<CoverageRow> RowsWithProposals(const CoverageListing& listing);
// Whether findings may change which rows are shown or their order: the
// filter keeps rows by them, or the rows are sorted by a column they fill.
bool FindingsMoveRows(const CoverageFindings& findings, bool onlyNeedingAttention, int sortColumn);

// The texts of the row's columns: layout, screen or "none", where the
// screen comes from (or the proposal and its rule), what the picture is,
// "yes"/"no", what the install will do.
std::string ScreenText(const CoverageRow& row, const Texts& texts);
std::string FoundByText(const CoverageRow& row, const Texts& texts);
std::string PictureText(const CoverageRow& row, const Texts& texts);
std::string LoadingPngText(const CoverageRow& row, const Texts& texts);
std::string ActionText(const CoverageRow& row, const Texts& texts);

// The two pictures the view shows for a row, empty where there is none: the
// screen the install would copy (a waiting proposal's screen in
// `screensFolder`, with its separator, so the user sees what a yes would
// copy), and the layout's own loading.png.
std::array<std::string, 2> PicturesOfRow(const CoverageRow& row, const std::string& screensFolder);

// The columns of the view and of the saved list, in their order: the
// heading and the text of a row's cell in each.
enum CoverageColumn : int {
    kLayoutColumn,
    kScreenColumn,
    kFoundByColumn,
    kPictureColumn,
    kLoadingPngColumn,
    kActionColumn,
    kCoverageColumnCount
};
std::string CoverageHeading(int column, const Texts& texts);
std::string CoverageCell(const CoverageRow& row, int column, const Texts& texts);

std::string CountsLineOf(const CoverageCounts& counts, const Texts& texts);
// The line above the list: the counts, or which folder does not exist.
std::string StatusLineOf(const CoverageListing& listing, const Texts& texts);
// The same line as it would read if every row still waiting got a
// proposal: the room to keep for it, so that the controls under it do not
// move down as the proposals come in.
std::string StatusLineOnceProposed(const CoverageListing& listing, const Texts& texts);
