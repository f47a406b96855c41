#pragma once

#include <string>

// Settings in a private-profile (".ini") text file: "[section]" lines and
// "key=value" lines; section and key names match without regard to case.

// Stores `value` under `key`, creating the file, the section or the key when
// missing, replacing an existing value in place and keeping every other line
// byte for byte. An empty `file` is the program's settings file, a bare name
// lies in the program folder; an empty `section` is the program title.
// Failures are not reported.
void WriteSetting(const std::string& key, const std::string& value, const std::string& file = {},
                  const std::string& section = {});

// The stored value of `key` (at most 254 characters), or `defaultValue`,
// trimmed of surrounding spaces. A key present with an empty value gives "".
std::string ReadSetting(const std::string& key, const std::string& file = {},
                        const std::string& defaultValue = {}, const std::string& section = {});

// Drops surrounding spaces, then surrounding `fillChar` characters (the zero
// character when `fillChar` is empty), re-trimming spaces after each.
std::string TrimSettingText(const std::string& text, const std::string& fillChar);

// The settings file that an empty, bare or full `file` argument names.
std::string ResolveSettingsFile(const std::string& file);
