#include "operations/UnzipHelpers.h"

#include "app/ProgramState.h"
#include "services/PathText.h"
#include "services/RegionalFormat.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipNames.h"

void PrepareUnzip(ProgramState& program, const std::string& archive, std::string& destination) {
    if (destination.empty())
        destination = program.machine.programFolder;
    program.ZipArchivePath = archive;
    program.ExtractFolder = destination;
    if (EndsWithSeparator(program.ExtractFolder))
        program.ExtractFolder.pop_back();
}

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending) {
    if (ending.size() > text.size())
        return EqualsIgnoringCase(text, ending);
    return EqualsIgnoringCase(std::string_view(text).substr(text.size() - ending.size()), ending);
}

// An archive that does not open lists no entry: its ZipError event said why.
Status ReopenIfClosed(ZipExtractionClass& zip, const std::string& archivePath) {
    if (zip.ZipIsOpen())
        return Success();
    const Result<bool> opened = zip.ZipOpen(archivePath);
    return opened ? Success() : Status(opened.Error());
}

// The ratio of an entry whose compressed size is 0 has no value; such an
// entry is reported with a ratio of 0 rather than an infinity.
std::string RatioText(int64_t compressed, int64_t uncompressed) {
    if (compressed == 0)
        return RegionalDecimalText(0.0);
    return RegionalDecimalText(static_cast<double>(uncompressed) / static_cast<double>(compressed));
}

std::string ListingLine(const ZipExtractionClass& zip, int32_t index) {
    const ZipDateTime when = zip.FileDateAndTime(index);
    const int64_t compressed = zip.FileCompressedSize(index);
    const int64_t uncompressed = zip.FileUncompressedSize(index);
    return zip.FileName(index) + "|" +
           RegionalGeneralDate(when.year, when.month, when.day, when.hour, when.minute,
                               when.second) +
           "|" + std::to_string(compressed) + " octets (compress\u00e9)|" +
           std::to_string(uncompressed) + " octets (d\u00e9compress\u00e9)|" +
           " Taux = " + RatioText(compressed, uncompressed) + "\r\n";
}

} // namespace

Result<bool> ExtractNamedEntry(ZipExtractionClass& zip, const ProgramState& program) {
    if (Status open = ReopenIfClosed(zip, program.ZipArchivePath); !open)
        return open.Error();
    for (int32_t i = 1; i <= zip.FileCount(); ++i)
        if (EqualsIgnoringCase(zip.FileName(i), NativeEntryName(program.ExtractSelector)))
            return zip.ExtractSingleFile(i, program.ExtractFolder, false, true);
    return false;
}

Result<int32_t> ExtractEntriesEndingWith(ZipExtractionClass& zip, const ProgramState& program) {
    if (Status open = ReopenIfClosed(zip, program.ZipArchivePath); !open)
        return open.Error();
    int32_t extracted = 0;
    bool matched = false;
    for (int32_t i = 1; i <= zip.FileCount(); ++i) {
        if (!EndsWithIgnoringCase(zip.FileName(i), NativeEntryName(program.ExtractSelector)))
            continue;
        matched = true;
        const Result<bool> one = zip.ExtractSingleFile(i, program.ExtractFolder, false, true);
        if (!one)
            return one.Error();
        extracted += *one ? 1 : 0;
    }
    return matched ? extracted : -1;
}

std::string ArchiveListing(const ZipExtractionClass& zip) {
    std::string listing;
    for (int32_t i = 1; i <= zip.FileCount(); ++i)
        listing += ListingLine(zip, i);
    return listing;
}
