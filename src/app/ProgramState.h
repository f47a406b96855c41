#pragma once

#include "app/OperationGuard.h"
#include "app/Texts.h"
#include "services/Machine.h"

#include <cstdint>
#include <string>

// What the program knows while it runs. The start-up fills it, the main
// window owns it, and the operations and the unzip window receive it.
struct ProgramState {
    // The machine the program runs on: its folder, regional formats and
    // clock. The program's are taken when the state is made; a test builds
    // a state with facts of its own.
    MachineFacts machine = Machine();

    // Interface language: 0 English, any other value French (the menu stores 1).
    int32_t Language = 0;
    // The texts of Language.
    Texts Messages;

    // The layouts folder: the folder whose sub-folders receive loading.png.
    std::string LayoutsPath;
    // The folder of loading screens, the source of the copies.
    std::string SourcePath;

    // What the unzip window works on, set before it loads: the archive it
    // opens, the folder it extracts into (without a trailing separator) and,
    // for the single-file and by-ending extractions, the name or ending to select.
    std::string ZipArchivePath;
    std::string ExtractFolder;
    std::string ExtractSelector;

    // The window yields while the bytes arrive, so a second click on the
    // download button can land in the middle of a download.
    OperationGuard downloadGuard;
};

// Sets Language and puts its texts into Messages.
void ApplyLanguage(ProgramState& program, int32_t language);
