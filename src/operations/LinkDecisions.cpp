#include "operations/LinkDecisions.h"

#include "operations/ScreenFinder.h"
#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"
#include "services/NameCase.h"
#include "services/PathText.h"

#include <string_view>

namespace {

constexpr std::string_view kPng = ".png";

void LogFailure(const std::string& step, const std::string& path, const Failure& failure) {
    WriteLog(step + " " + path + " (" + failure.what + ", code " + std::to_string(failure.code) +
             ")");
}

bool EndsWithPng(std::string_view name) {
    return name.size() > kPng.size() &&
           EqualsIgnoringCase(name.substr(name.size() - kPng.size()), kPng);
}

// The folder a path names, as the system resolves it: "..", "." and links
// do not take a picked file out of the screens folder unseen.
std::string ResolvedFolderKey(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(FsPath(folder), error);
    return NameCaseKey(WithTrailingSeparator(PathText(error ? FsPath(folder) : resolved)));
}

} // namespace

std::string ScreenLinksPath(const MachineFacts& machine) {
    return WithTrailingSeparator(machine.programFolder) + kScreenLinksFileName;
}

ScreenLinks ReadScreenLinks(const std::string& path) {
    const Result<std::string> text = ContentOrEmptyIfMissing(path, kMaxScreenLinksBytes);
    if (!text) {
        LogFailure("Error while reading the screen links", path, text.Error());
        return {};
    }
    ScreenLinks links = ScreenLinks::FromText(*text);
    if (links.SkippedLines() > 0)
        WriteLog("Skipped " + std::to_string(links.SkippedLines()) +
                 " lines that hold no link in " + path);
    return links;
}

Status ChangeScreenLinks(const ProgramState& program,
                         const std::function<void(ScreenLinks&)>& change) {
    const std::string path = ScreenLinksPath(program.machine);
    // A file that cannot be read is not rewritten: its links would be lost.
    const Result<std::string> text = ContentOrEmptyIfMissing(path, kMaxScreenLinksBytes);
    if (!text) {
        LogFailure("Error while reading the screen links", path, text.Error());
        return text.Error();
    }
    ScreenLinks links = ScreenLinks::FromText(*text);
    change(links);
    Status saved = ReplaceFileContent(path, links.ToText());
    if (!saved)
        LogFailure("Error while saving the screen links to", path, saved.Error());
    return saved;
}

bool AcceptProposal(ScreenLinks& links, const CoverageRow& row) {
    if (!row.proposal)
        return false;
    links.Link(row.layout, row.proposal->screen);
    return true;
}

long long AcceptRule(ScreenLinks& links, const CoverageListing& listing, NearRule rule) {
    long long accepted = 0;
    for (const CoverageRow& row : RowsWithProposals(listing))
        if (row.proposal && row.proposal->rule == rule && AcceptProposal(links, row))
            ++accepted;
    return accepted;
}

PickedScreen LinkPickedScreen(ScreenLinks& links, const std::string& layout,
                              const std::string& pickedPath, const std::string& screensFolder) {
    const size_t cut = pickedPath.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? pickedPath : pickedPath.substr(cut + 1);
    const std::string folder = cut == std::string::npos ? std::string() : pickedPath.substr(0, cut);
    if (folder.empty() || ResolvedFolderKey(folder) != ResolvedFolderKey(screensFolder))
        return PickedScreen::OutsideScreensFolder;
    if (!EndsWithPng(name) || !IsFile(pickedPath))
        return PickedScreen::NotAPngFile;
    const std::string onDisk = ScreenFinder(WithTrailingSeparator(screensFolder)).NameOnDisk(name);
    links.Link(layout, onDisk.substr(0, onDisk.size() - kPng.size()));
    return PickedScreen::Linked;
}
