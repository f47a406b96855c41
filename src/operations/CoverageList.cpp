#include "operations/CoverageList.h"

#include "operations/LayoutListing.h"
#include "operations/OperationSteps.h"
#include "operations/ScreenFinder.h"
#include "services/FileUtils.h"

std::vector<CoverageRow> ListCoverage(MainWindowPort& window, const std::string& layoutsPath,
                                      const std::string& sourcePath, InstallOptions options) {
    LayoutState listing;
    ListLayouts(layoutsPath, listing, window);
    const std::string defaultScreen = sourcePath + kLoadingPngName;
    options.defaultScreenExists = options.useDefault && IsFile(defaultScreen);
    ScreenFinder screens(sourcePath);
    std::vector<CoverageRow> rows;
    rows.reserve(static_cast<size_t>(listing.LayoutCount));
    for (int32_t i = 1; i <= listing.LayoutCount; ++i) {
        const std::string& name = listing.LayoutNames[static_cast<size_t>(i)];
        if (!IsListedFolder(listing, i))
            continue;
        CoverageRow row;
        row.layout = name;
        const std::string ownScreen = screens.Find(name + ".png");
        row.loadingPngPath = LoadingPngOf(layoutsPath, name);
        row.hasLoadingPng = LoadingPngExists(row.loadingPngPath);
        row.action = DecideScreen({!ownScreen.empty(), row.hasLoadingPng}, options);
        if (row.action == ScreenAction::Copy)
            row.screenPath = ownScreen;
        else if (row.action == ScreenAction::CopyDefault)
            row.screenPath = defaultScreen;
        // Both paths start with the source folder as given.
        if (row.action == ScreenAction::Copy)
            row.screen = screens.NameOnDisk(ownScreen.substr(sourcePath.size()));
        else if (row.action == ScreenAction::CopyDefault)
            row.screen = kLoadingPngName;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::vector<CoverageRow>> ListCoverageOf(MainWindowPort& window,
                                                       const ProgramState& program) {
    const std::string layouts = FolderOfField(window.FieldText(FolderField::Layouts));
    const std::string screens = FolderOfField(window.FieldText(FolderField::Screens));
    if (layouts.empty() || screens.empty()) {
        RefuseFolderField(window, program,
                          layouts.empty() ? FolderField::Layouts : FolderField::Screens);
        return std::nullopt;
    }
    InstallOptions options;
    options.overwrite = window.OverwriteState() != 0;
    options.useDefault = window.UseDefaultState() == 1;
    window.SetHourglass(true);
    std::vector<CoverageRow> rows = ListCoverage(window, layouts, screens, options);
    window.SetHourglass(false);
    return rows;
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
    }
    return counts;
}

std::vector<size_t> ShownRows(const std::vector<CoverageRow>& rows, bool onlyWithoutScreen) {
    std::vector<size_t> shown;
    shown.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        if (!onlyWithoutScreen || EndsWithoutScreen(rows[i]))
            shown.push_back(i);
    return shown;
}

std::string ScreenText(const CoverageRow& row, const Texts& texts) {
    return row.screen.empty() ? texts[kCovNone] : row.screen;
}

std::string LoadingPngText(const CoverageRow& row, const Texts& texts) {
    return texts[row.hasLoadingPng ? kCovYes : kCovNo];
}

std::string CoverageHeading(int column, const Texts& texts) {
    static constexpr TextId kHeadings[kCoverageColumnCount] = {
        kCovLayoutColumn, kCovScreenColumn, kCovLoadingPngColumn, kCovActionColumn};
    return texts[kHeadings[column]];
}

std::string CoverageCell(const CoverageRow& row, int column, const Texts& texts) {
    switch (column) {
    case 0:
        return row.layout;
    case 1:
        return ScreenText(row, texts);
    case 2:
        return LoadingPngText(row, texts);
    default:
        return ActionText(row.action, texts);
    }
}

std::string ActionText(ScreenAction action, const Texts& texts) {
    switch (action) {
    case ScreenAction::Copy:
        return texts[kCovCopy];
    case ScreenAction::Keep:
        return texts[kCovKeep];
    case ScreenAction::CopyDefault:
        return texts[kCovCopyDefault];
    case ScreenAction::Nothing:
        break;
    }
    return texts[kCovNothing];
}

std::string CountsLineOf(const CoverageCounts& counts, const Texts& texts) {
    return WithValues(texts[kCovCounts], {texts.Counted(kCountLayouts, counts.layouts),
                                          texts.Counted(kCountGetScreen, counts.getScreen),
                                          texts.Counted(kCountKeepTheirs, counts.keepTheirs),
                                          texts.Counted(kCountHaveNone, counts.haveNone)});
}
