#include "shell/Form1Menu.h"

#include "app/CoverageMessages.h"

#include <array>

std::span<const Form1MenuEntry> Form1MenuEntries() {
    static constexpr std::array kEntries = {
        Form1MenuEntry{Form1MenuItem::Language, "Language"},
        Form1MenuEntry{Form1MenuItem::CheckScreens, kCheckScreensMenuCaption},
        Form1MenuEntry{Form1MenuItem::Undo, "&Undo last install"},
        Form1MenuEntry{Form1MenuItem::Quit, "&Quit"},
    };
    return kEntries;
}
