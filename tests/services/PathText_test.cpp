#include "services/PathText.h"

#include <gtest/gtest.h>

namespace {

struct RootRow {
    const char* path;
    const char* root;
};

TEST(PathText, TheRootOfAWindowsPathIsTheDriveOrTheWholeShare) {
    for (const RootRow& row : {
             RootRow{"C:\\Jeux\\Orvane", "C:\\"},
             RootRow{"C:Jeux", "C:"},
             RootRow{"\\Jeux\\Orvane", "\\"},
             RootRow{"Jeux\\Orvane", ""},
             RootRow{"\\\\server\\share\\Jeux\\Orvane", "\\\\server\\share\\"},
             RootRow{"//server/share/Jeux", "//server/share/"},
             RootRow{"\\\\server\\share", "\\\\server\\share"},
             RootRow{"\\\\?\\C:\\Jeux\\Orvane", "\\\\?\\C:\\"},
             RootRow{"\\\\?\\unc\\server\\share\\Jeux", "\\\\?\\unc\\server\\share\\"},
             RootRow{"\\\\.\\D:\\Jeux", "\\\\.\\D:\\"},
         })
        EXPECT_EQ(std::string(row.path).substr(0, PathRootLength(row.path, '\\')), row.root)
            << row.path;
}

TEST(PathText, TheRootOfAPosixPathIsTheSlashAndBackslashesAreNameCharacters) {
    EXPECT_EQ(PathRootLength("/home/games", '/'), 1u);
    EXPECT_EQ(PathRootLength("games/x", '/'), 0u);
    EXPECT_EQ(PathRootLength("\\\\server\\share\\x", '/'), 0u);
    EXPECT_EQ(PathRootLength("C:\\x", '/'), 0u);
}

} // namespace
