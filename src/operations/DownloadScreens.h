#pragma once

#include "app/ProgramState.h"
#include "operations/MainWindowPort.h"
#include "services/DownloadFile.h"

// The download button: fetches the screen archive from the address in the
// settings ("URL", else the built-in one) into the program folder as
// "loadscr.zip", logs the attempt and tells the user how it ended. A click
// while a download runs does nothing. `options` serve tests that need short
// timeouts or a local server.
void DownloadScreens(MainWindowPort& window, ProgramState& program,
                     const DownloadOptions& options = {});
