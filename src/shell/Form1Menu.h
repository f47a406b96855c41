#pragma once

#include "app/Texts.h"

#include <span>

// The items of the main window's "Menu", in their order. Both shells build
// the menu from this list, so an item added here appears in both. Every
// caption is the same in both languages. The undo item's caption is the
// one it has while nothing can be undone; the window changes it later.
enum class Form1MenuItem { Language, CheckScreens, Undo, Quit };

struct Form1MenuEntry {
    Form1MenuItem item;
    FixedTextId caption;
};

std::span<const Form1MenuEntry> Form1MenuEntries();
