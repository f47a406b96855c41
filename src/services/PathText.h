#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are kept as UTF-8 text and built by concatenation, with the native
// separator; they become std::filesystem::path only at the file system.
#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

inline bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

inline bool EndsWithSeparator(std::string_view text) {
    return !text.empty() && IsSeparator(text.back());
}

inline std::filesystem::path FsPath(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathText(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Length of the root that starts `path`, the part no folder can be made
// in: "/" with "/" as separator; with "\\" the drive "C:\", the share of
// "\\server\share\", "\\?\C:\" and "\\?\UNC\server\share\", or a lone "\".
// 0 for a relative path.
size_t PathRootLength(std::string_view path, char separator = kSeparator);

// ASCII letters compared without regard to case, for the program's own names
// (settings keys, file endings); names found on disk go through NameCase.h.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);

// Name of the entry of `folder` that is `name` ignoring letter case, the exact
// spelling first; empty text when there is none. An empty folder means the
// current folder.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name);

// The program folder with a trailing separator, ready for concatenation.
std::string ProgramFolderWithSeparator();
