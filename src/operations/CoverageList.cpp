#include "operations/CoverageList.h"

#include "operations/LayoutListing.h"
#include "operations/LinkDecisions.h"
#include "operations/NearNames.h"
#include "operations/OperationSteps.h"
#include "operations/ScreenFinder.h"
#include "services/FileUtils.h"
#include "services/RegionalFormat.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

// What the rows of one listing share: the screens folder's one listing.
struct ScreensOfListing {
    const std::string& sourcePath;
    ScreenFinder finder;

    std::string NameOf(const std::string& path) {
        // Every path the finder gives starts with the folder as given.
        return finder.NameOnDisk(path.substr(sourcePath.size()));
    }
};

// The screen of the layout's own name, else the user's link: the screen the
// install copies for it (or matches, when the layout keeps its loading.png).
void FindScreen(CoverageRow& row, ScreensOfListing& screens, const ScreenLinks& links) {
    row.screenPath = screens.finder.Find(row.layout + ".png");
    if (!row.screenPath.empty()) {
        row.origin = ScreenOrigin::OwnName;
        return;
    }
    const std::optional<std::string> linked = links.ScreenOf(row.layout);
    if (!linked) {
        row.proposalSearch = CoverageRow::Search::Waiting;
        return;
    }
    if (linked->empty()) {
        row.origin = ScreenOrigin::NotWanted;
        return;
    }
    row.screenPath = screens.finder.Find(*linked + ".png");
    if (row.screenPath.empty())
        row.brokenLink = *linked + ".png";
    else
        row.origin = ScreenOrigin::Linked;
}

CoverageRow RowOf(const std::string& layout, const std::string& layoutsPath,
                  ScreensOfListing& screens, const ScreenLinks& links,
                  const InstallOptions& options) {
    CoverageRow row;
    row.layout = layout;
    FindScreen(row, screens, links);
    row.loadingPngPath = LoadingPngOf(layoutsPath, layout);
    row.hasLoadingPng = LoadingPngExists(row.loadingPngPath);
    row.action = DecideScreen({!row.screenPath.empty(), row.hasLoadingPng}, options);
    if (row.action == ScreenAction::CopyDefault) {
        // The default screen is what the layout ends with; a mark of "no
        // screen wanted" keeps only proposals away, as the install's
        // default rule is the user's own choice of option.
        row.origin = ScreenOrigin::Default;
        row.screenPath = screens.sourcePath + kLoadingPngName;
        row.screen = kLoadingPngName;
    } else if (!row.screenPath.empty()) {
        row.screen = screens.NameOf(row.screenPath);
    }
    return row;
}

} // namespace

CoverageListing ListCoverage(MainWindowPort& window, const std::string& layoutsPath,
                             const std::string& sourcePath, InstallOptions options,
                             const ScreenLinks& links) {
    LayoutState layouts;
    ListLayouts(layoutsPath, layouts, window);
    options.defaultScreenExists = options.useDefault && IsFile(sourcePath + kLoadingPngName);
    ScreensOfListing screens{sourcePath, ScreenFinder(sourcePath)};
    CoverageListing listing;
    std::vector<CoverageRow>& rows = listing.rows;
    rows.reserve(static_cast<size_t>(layouts.LayoutCount));
    for (int32_t i = 1; i <= layouts.LayoutCount; ++i)
        if (IsListedFolder(layouts, i))
            rows.push_back(RowOf(layouts.LayoutNames[static_cast<size_t>(i)], layoutsPath, screens,
                                 links, options));
    if (std::ranges::any_of(rows, ProposalPending))
        listing.screenNames = screens.finder.PngNames();
    return listing;
}

std::optional<CoverageListing> ListCoverageOf(MainWindowPort& window, const ProgramState& program) {
    const std::string layouts = FolderOfField(window.FieldText(FolderField::Layouts));
    const std::string screens = FolderOfField(window.FieldText(FolderField::Screens));
    if (layouts.empty() || screens.empty()) {
        RefuseFolderField(window, program,
                          layouts.empty() ? FolderField::Layouts : FolderField::Screens);
        return std::nullopt;
    }
    CoverageListing listing;
    if (!IsFolder(layouts) || !IsFolder(screens)) {
        listing.missingFolder = IsFolder(layouts) ? screens : layouts;
        listing.missingFolderText =
            IsFolder(layouts) ? kCovScreensFolderMissing : kCovLayoutsFolderMissing;
        return listing;
    }
    InstallOptions options;
    options.overwrite = window.OverwriteState() != 0;
    options.useDefault = window.UseDefaultState() == 1;
    const ScreenLinks links = ReadScreenLinks(ScreenLinksPath(program.machine));
    window.SetHourglass(true);
    listing = ListCoverage(window, layouts, screens, options, links);
    window.SetHourglass(false);
    return listing;
}

CoverageCounts CountCoverage(const std::vector<CoverageRow>& rows) {
    CoverageCounts counts;
    counts.layouts = static_cast<long long>(rows.size());
    for (const CoverageRow& row : rows) {
        if (row.action == ScreenAction::Keep)
            ++counts.keepTheirs;
        else if (row.action == ScreenAction::Nothing)
            ++counts.haveNone;
        else
            ++counts.getScreen;
        counts.proposals += row.proposal ? 1 : 0;
        counts.pictureProblems += row.picture && !WouldShow(row.picture->kind) ? 1 : 0;
        counts.needAttention += NeedsAttention(row) ? 1 : 0;
    }
    return counts;
}

bool NeedsAttention(const CoverageRow& row) {
    if (row.proposal || !row.brokenLink.empty())
        return true;
    if (row.picture && !WouldShow(row.picture->kind))
        return true;
    return EndsWithoutScreen(row) && row.origin != ScreenOrigin::NotWanted;
}

std::vector<size_t> ShownRows(const std::vector<CoverageRow>& rows, bool onlyNeedingAttention) {
    std::vector<size_t> shown;
    shown.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        if (!onlyNeedingAttention || NeedsAttention(rows[i]))
            shown.push_back(i);
    return shown;
}

std::string LayoutToKeepSelected(const std::vector<CoverageRow>& rowsBefore,
                                 const std::vector<size_t>& shownBefore, int selected,
                                 const std::vector<CoverageRow>& rowsAfter,
                                 bool onlyNeedingAttention) {
    if (selected < 0)
        return {};
    std::unordered_set<std::string_view> shownAfter;
    for (const size_t row : ShownRows(rowsAfter, onlyNeedingAttention))
        shownAfter.insert(rowsAfter[row].layout);
    const auto stillShown = [&](size_t place) {
        return shownAfter.contains(rowsBefore[shownBefore[place]].layout);
    };
    const auto first = std::min(static_cast<size_t>(selected), shownBefore.size());
    for (size_t i = first; i < shownBefore.size(); ++i)
        if (stillShown(i))
            return rowsBefore[shownBefore[i]].layout;
    for (size_t i = first; i-- > 0;)
        if (stillShown(i))
            return rowsBefore[shownBefore[i]].layout;
    return {};
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

unsigned char LowerAsciiByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Compares the runs of digits starting at `a` and `b` by their values,
// moving both past them.
int CompareNumbers(std::string_view x, size_t& a, std::string_view y, size_t& b) {
    while (a < x.size() && x[a] == '0')
        ++a;
    while (b < y.size() && y[b] == '0')
        ++b;
    const size_t startA = a;
    const size_t startB = b;
    while (a < x.size() && IsDigit(x[a]))
        ++a;
    while (b < y.size() && IsDigit(y[b]))
        ++b;
    if (a - startA != b - startB)
        return a - startA < b - startB ? -1 : 1;
    return x.substr(startA, a - startA).compare(y.substr(startB, b - startB));
}

// "Game 9" before "game 10": letter case ignored, numbers read whole.
int NaturalCompare(std::string_view x, std::string_view y) {
    size_t a = 0;
    size_t b = 0;
    while (a < x.size() && b < y.size()) {
        if (IsDigit(x[a]) && IsDigit(y[b])) {
            if (const int order = CompareNumbers(x, a, y, b); order != 0)
                return order;
            continue;
        }
        const unsigned char lowerA = LowerAsciiByte(x[a]);
        const unsigned char lowerB = LowerAsciiByte(y[b]);
        if (lowerA != lowerB)
            return lowerA < lowerB ? -1 : 1;
        ++a;
        ++b;
    }
    return (x.size() - a > 0) - (y.size() - b > 0);
}

} // namespace

void SortShownRows(std::vector<size_t>& shown, const std::vector<CoverageRow>& rows, int column,
                   bool ascending, const Texts& texts) {
    if (column < 0 || column >= kCoverageColumnCount) {
        std::ranges::sort(shown, [&](size_t a, size_t b) { return ascending ? a < b : a > b; });
        return;
    }
    // Accents set aside, so that "Élite" sorts among the E's and not after Z.
    std::vector<std::pair<std::string, size_t>> cells;
    cells.reserve(shown.size());
    for (const size_t row : shown)
        cells.emplace_back(WithoutAccents(CoverageCell(rows[row], column, texts)), row);
    std::ranges::sort(cells, [ascending](const auto& x, const auto& y) {
        const int order = NaturalCompare(x.first, y.first);
        if (order != 0)
            return ascending ? order < 0 : order > 0;
        return x.second < y.second;
    });
    for (size_t i = 0; i < cells.size(); ++i)
        shown[i] = cells[i].second;
}

std::vector<size_t> LongestCellRows(const std::vector<CoverageRow>& rows,
                                    const std::vector<size_t>& shown, int column,
                                    const Texts& texts, size_t count) {
    std::vector<std::pair<size_t, size_t>> lengths; // characters, row
    lengths.reserve(shown.size());
    for (const size_t row : shown) {
        const std::string cell = CoverageCell(rows[row], column, texts);
        // UTF-8 continuation bytes are no characters of their own.
        const auto characters = std::ranges::count_if(
            cell, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        lengths.emplace_back(static_cast<size_t>(characters), row);
    }
    const size_t kept = std::min(count, lengths.size());
    std::ranges::partial_sort(lengths, lengths.begin() + static_cast<std::ptrdiff_t>(kept),
                              std::ranges::greater{});
    std::vector<size_t> longest;
    for (size_t i = 0; i < kept; ++i)
        longest.push_back(lengths[i].second);
    return longest;
}

void ApplyJudgedPictures(std::vector<CoverageRow>& rows, const std::vector<JudgedPicture>& judged) {
    for (const JudgedPicture& picture : judged)
        if (picture.row < rows.size())
            rows[picture.row].picture = picture.verdict;
}

void ApplyFindings(std::vector<CoverageRow>& rows, const CoverageFindings& findings) {
    for (const ProposedScreen& proposed : findings.proposals)
        if (proposed.row < rows.size() && ProposalPending(rows[proposed.row])) {
            rows[proposed.row].proposal = proposed.proposal;
            rows[proposed.row].proposalSearch = CoverageRow::Search::Done;
        }
    ApplyJudgedPictures(rows, findings.pictures);
}

void KeepFindings(const CoverageListing& before, CoverageListing& after) {
    std::unordered_map<std::string_view, const CoverageRow*> byLayout;
    for (const CoverageRow& row : before.rows)
        byLayout.emplace(row.layout, &row);
    const bool sameScreens = !after.screenNames.empty() && before.screenNames == after.screenNames;
    for (CoverageRow& row : after.rows) {
        const auto found = byLayout.find(row.layout);
        if (found == byLayout.end())
            continue;
        const CoverageRow& old = *found->second;
        if (sameScreens && ProposalPending(row) &&
            old.proposalSearch == CoverageRow::Search::Done) {
            row.proposal = old.proposal;
            row.proposalSearch = CoverageRow::Search::Done;
        }
        if (!row.picture && !row.screenPath.empty() && row.screenPath == old.screenPath)
            row.picture = old.picture;
    }
}

void ProposeNearScreens(CoverageListing& listing) {
    const NearScreens near(listing.screenNames);
    for (CoverageRow& row : listing.rows)
        if (ProposalPending(row)) {
            row.proposal = near.Propose(row.layout);
            row.proposalSearch = CoverageRow::Search::Done;
        }
}

std::vector<CoverageRow> RowsWithProposals(const CoverageListing& listing) {
    if (std::ranges::none_of(listing.rows, ProposalPending))
        return listing.rows;
    CoverageListing sought = listing;
    ProposeNearScreens(sought);
    return std::move(sought.rows);
}

bool FindingsMoveRows(const CoverageFindings& findings, bool onlyNeedingAttention, int sortColumn) {
    if (onlyNeedingAttention)
        return true;
    if (!findings.pictures.empty() && sortColumn == kPictureColumn)
        return true;
    // A proposal fills "Found by" and "Will do".
    return !findings.proposals.empty() &&
           (sortColumn == kFoundByColumn || sortColumn == kActionColumn);
}

std::string ScreenText(const CoverageRow& row, const Texts& texts) {
    return row.screen.empty() ? texts[kCovNone] : row.screen;
}

std::string LoadingPngText(const CoverageRow& row, const Texts& texts) {
    return texts[row.hasLoadingPng ? kCovYes : kCovNo];
}

std::string CoverageHeading(int column, const Texts& texts) {
    static constexpr TextId kHeadings[kCoverageColumnCount] = {
        kCovLayoutColumn,  kCovScreenColumn,     kCovFoundByColumn,
        kCovPictureColumn, kCovLoadingPngColumn, kCovActionColumn};
    return texts[kHeadings[column]];
}

std::string CoverageCell(const CoverageRow& row, int column, const Texts& texts) {
    switch (column) {
    case kLayoutColumn:
        return row.layout;
    case kScreenColumn:
        return ScreenText(row, texts);
    case kFoundByColumn:
        return FoundByText(row, texts);
    case kPictureColumn:
        return PictureText(row, texts);
    case kLoadingPngColumn:
        return LoadingPngText(row, texts);
    default:
        return ActionText(row, texts);
    }
}

std::string FoundByText(const CoverageRow& row, const Texts& texts) {
    switch (row.origin) {
    case ScreenOrigin::OwnName:
        return texts[kCovFoundOwnName];
    case ScreenOrigin::Linked:
        return texts[kCovFoundLinked];
    case ScreenOrigin::Default:
        return texts[kCovFoundDefault];
    case ScreenOrigin::NotWanted:
        return texts[kCovNoScreenWanted];
    case ScreenOrigin::None:
        break;
    }
    if (!row.brokenLink.empty())
        return WithValues(texts[kCovLinkMissing], {row.brokenLink});
    if (ProposalPending(row))
        return texts[kCovPictureChecking];
    if (!row.proposal)
        return {};
    static constexpr TextId kRuleTexts[] = {kCovProposedReserved, kCovProposedShortName,
                                            kCovProposedKey, kCovProposedClose};
    const NearProposal& proposal = *row.proposal;
    return WithValues(texts[kRuleTexts[static_cast<int>(proposal.rule)]],
                      {proposal.screen + ".png", RegionalWholeNumber(proposal.score)});
}

std::string PictureText(const CoverageRow& row, const Texts& texts) {
    if (row.screenPath.empty())
        return {};
    if (!row.picture)
        return texts[kCovPictureChecking];
    static constexpr TextId kKindTexts[] = {
        kCovPicturePng,      kCovPictureJpeg,       kCovPictureGif,
        kCovPictureBmp,      kCovPictureEmpty,      kCovPictureDamaged,
        kCovPictureTooLarge, kCovPictureUnreadable, kCovPictureMissing};
    const ScreenPictureVerdict& picture = *row.picture;
    return WithValues(
        texts[kKindTexts[static_cast<int>(picture.kind)]],
        {RegionalWholeNumber(picture.size.width), RegionalWholeNumber(picture.size.height)});
}

std::string ActionText(const CoverageRow& row, const Texts& texts) {
    // Until its proposal is sought, "nothing" may not be the last word.
    if (row.action == ScreenAction::Nothing && ProposalPending(row))
        return texts[kCovPictureChecking];
    if (row.action == ScreenAction::Nothing && row.proposal)
        return texts[kCovNothingUntilAccepted];
    switch (row.action) {
    case ScreenAction::Copy:
        return texts[kCovCopy];
    case ScreenAction::Keep:
        return texts[kCovKeep];
    case ScreenAction::CopyDefault:
        return texts[kCovCopyDefault];
    case ScreenAction::Nothing:
        break;
    }
    return texts[row.origin == ScreenOrigin::NotWanted ? kCovNothingNotWanted : kCovNothing];
}

std::array<std::string, 2> PicturesOfRow(const CoverageRow& row, const std::string& screensFolder) {
    std::string screen = row.screenPath;
    if (screen.empty() && row.proposal && !screensFolder.empty())
        screen = screensFolder + row.proposal->screen + ".png";
    return {screen, row.hasLoadingPng ? row.loadingPngPath : std::string()};
}

std::string CountsLineOf(const CoverageCounts& counts, const Texts& texts) {
    std::string line =
        WithValues(texts[kCovCounts], {texts.Counted(kCountLayouts, counts.layouts),
                                       texts.Counted(kCountGetScreen, counts.getScreen),
                                       texts.Counted(kCountKeepTheirs, counts.keepTheirs),
                                       texts.Counted(kCountHaveNone, counts.haveNone)});
    if (counts.needAttention == 0)
        return line;
    line = WithValues(texts[kCovCountsAttention],
                      {line, texts.Counted(kCountNeedAttention, counts.needAttention)});
    // Only the reasons there are: "(2 proposals, 1 picture would not show)".
    std::string reasons;
    for (const auto& [id, count] : {std::pair{kCountProposals, counts.proposals},
                                    std::pair{kCountPictureProblems, counts.pictureProblems}})
        if (count > 0)
            reasons += (reasons.empty() ? "" : ", ") + texts.Counted(id, count);
    return reasons.empty() ? line : line + " (" + reasons + ")";
}

std::string StatusLineOf(const CoverageListing& listing, const Texts& texts) {
    if (!listing.missingFolder.empty())
        return WithValues(texts[listing.missingFolderText], {listing.missingFolder});
    return CountsLineOf(CountCoverage(listing.rows), texts);
}

std::string StatusLineOnceProposed(const CoverageListing& listing, const Texts& texts) {
    if (!listing.missingFolder.empty())
        return StatusLineOf(listing, texts);
    CoverageCounts counts = CountCoverage(listing.rows);
    for (const CoverageRow& row : listing.rows)
        if (ProposalPending(row)) {
            ++counts.proposals;
            counts.needAttention += NeedsAttention(row) ? 0 : 1;
        }
    return CountsLineOf(counts, texts);
}
