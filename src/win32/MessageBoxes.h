#pragma once

#include "operations/MainWindowPort.h"

#include <string>
#include <windows.h>

// Message boxes owned by `owner`, titled with the program title; their
// buttons speak the user's Windows language.
void ShowMessageBox(HWND owner, const std::string& text, MessageIcon icon);
// A question with Yes and No; true for Yes.
bool AskYesNoBox(HWND owner, const std::string& text);
