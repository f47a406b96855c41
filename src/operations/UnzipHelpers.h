#pragma once

#include "services/Result.h"

#include <cstdint>
#include <string>

class ZipExtractionClass;
struct ProgramState;

// Sets the program's ZipArchivePath and ExtractFolder for one extraction. An
// empty `destination` becomes the program folder, and the caller's text
// receives it.
void PrepareUnzip(ProgramState& program, const std::string& archive, std::string& destination);

// The two calls below open the archive again when it was closed. They fail
// as the engine's ZipOpen and ExtractSingleFile do: with the first read of
// the archive or write of a file that fails, `what` the text to show.

// Extracts the entry named ExtractSelector (letter case ignored) without its
// folder path, replacing an existing file; false when no entry has that name.
Result<bool> ExtractNamedEntry(ZipExtractionClass& zip, const ProgramState& program);

// Extracts every entry whose name ends with ExtractSelector (letter case
// ignored), as ExtractNamedEntry does; the number extracted, or -1 when no
// name matches.
Result<int32_t> ExtractEntriesEndingWith(ZipExtractionClass& zip, const ProgramState& program);

// One line per entry: name|date|size " octets (compressé)"|size
// " octets (décompressé)"| " Taux = " ratio, each line ended by CR LF.
std::string ArchiveListing(const ZipExtractionClass& zip);
