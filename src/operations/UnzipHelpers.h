#pragma once

#include <cstdint>
#include <string>

class ZipExtractionClass;

// What the unzip window works on, set before it loads: the archive it opens,
// the folder it extracts into (without a trailing separator) and, for the
// single-file and by-ending extractions, the name or ending to select.
extern std::string ZipArchivePath;
extern std::string ExtractFolder;
extern std::string ExtractSelector;

// Sets ZipArchivePath and ExtractFolder for one extraction. An empty
// `destination` becomes the program folder, and the caller's text receives it.
void PrepareUnzip(const std::string& archive, std::string& destination);

// Extracts the entry named ExtractSelector (letter case ignored) without its
// folder path, replacing an existing file; false when no entry has that name.
bool ExtractNamedEntry(ZipExtractionClass& zip);

// Extracts every entry whose name ends with ExtractSelector (letter case
// ignored), as ExtractNamedEntry does; the number extracted, or -1 when no
// name matches.
int32_t ExtractEntriesEndingWith(ZipExtractionClass& zip);

// One line per entry: name|date|size " octets (compressé)"|size
// " octets (décompressé)"| " Taux = " ratio, each line ended by CR LF.
std::string ArchiveListing(const ZipExtractionClass& zip);
