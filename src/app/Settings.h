#pragma once

#include "services/Machine.h"

#include <cstdint>
#include <string>

struct ProgramState;

// Keys of the settings file, all in the section named after the program.
inline constexpr const char* kKeyLanguage = "Language";
inline constexpr const char* kKeyLayoutsPath = "LayoutsPath";
inline constexpr const char* kKeySourcePath = "SourcePath";
inline constexpr const char* kKeyOverWrite = "OverWrite";
inline constexpr const char* kKeyUseDefault = "UseDefault";
inline constexpr const char* kKeyUrl = "URL";

// Name of the screens folder in the program folder.
inline constexpr const char* kScreensFolderName = "Screens";

// Fills the program's Language, LayoutsPath and SourcePath from the settings
// file, proposing folders where it holds none; may create the default screens
// folder.
void LoadSettings(ProgramState& program);

// A layouts folder found below the front-end's installation, or empty text.
std::string ProposeLayoutsFolder(const MachineFacts& machine);

// True unless the user's regional format writes one tenth with a comma.
bool DecimalSeparatorIsNotComma(const MachineFacts& machine);

// A stored check-box setting ("OverWrite", "UseDefault") as a box state:
// 0 unchecked, 1 checked, 2 grayed; anything else reads as unchecked.
int32_t CheckBoxSetting(const std::string& key);

// What the main window holds when it closes.
struct ClosingValues {
    std::string layoutsText;
    std::string sourceText;
    int32_t overwriteState = 0;
    int32_t useDefaultState = 0;
    int32_t language = 0;
};

// Writes all six keys and appends the time-stamped "END" to the log.
void SaveSettingsAndLogEnd(const ClosingValues& values);
