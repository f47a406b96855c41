#pragma once

#include <cstdint>

// Puts Qt's own texts (the buttons of message boxes, the folder dialog) in
// the program's language: 0 English, any other value French. Where Qt's
// French catalogue is not installed they stay English.
void UsePlatformTexts(int32_t language);
