#pragma once

#include <windows.h>

// The window whose keys the loop translates: its accelerators (Ctrl+Q) and
// the dialog keys of its controls (Tab, Alt and an accelerator letter).
void SetKeyboardWindow(HWND window, HACCEL accelerators);

// Runs until the program's last window has gone; the exit code.
int RunMessageLoop();

// Handles the messages waiting now, then returns: what an operation calls
// between its steps so that the windows repaint and stay usable.
void ProcessPendingMessages();
