#include "shell/Form1Menu.h"

#include <array>

std::span<const Form1MenuEntry> Form1MenuEntries() {
    static constexpr std::array kEntries = {
        Form1MenuEntry{Form1MenuItem::Language, kFixedLanguageMenu},
        Form1MenuEntry{Form1MenuItem::CheckScreens, kFixedCheckScreens},
        Form1MenuEntry{Form1MenuItem::Undo, kFixedUndoInstall},
        Form1MenuEntry{Form1MenuItem::Quit, kFixedQuit},
    };
    return kEntries;
}
