// No libbz2 is built for Windows: bzip2 entries are refused by name there,
// as any other method this build does not read.
#include "zip/EntryDecoders.h"

std::unique_ptr<StreamDecoder> MakeBzip2Decoder() {
    return nullptr;
}
