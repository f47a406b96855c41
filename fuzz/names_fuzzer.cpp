// Feeds each input to the readers of files a user or a pack hands the
// program besides archives: a PNG's data check, the links file and the near
// names of a layout. Each must end without a fault, and the links file must
// read back what it wrote, the lines it skips included.
#include "operations/NearScreens.h"
#include "operations/ScreenLinks.h"
#include "services/PngData.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)PngDataIsWhole({data, size}); // only its ending without a fault matters here
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ScreenLinks links = ScreenLinks::FromText(text);
    const ScreenLinks again = ScreenLinks::FromText(links.ToText());
    if (again.Count() != links.Count() || again.ToText() != links.ToText() ||
        again.SkippedLines() != links.SkippedLines())
        std::abort();
    const size_t half = size / 2;
    NearScreens screens({text.substr(0, half), text.substr(half), "Sonic _ Knuckles"});
    (void)screens.Propose(text); // any answer, as long as one comes
    return 0;
}
