#include "app/DialDossier.h"
#include "services/PathText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A folder dialog that records the folder it was opened on and answers from
// a script; an empty answer is a cancel.
struct ScriptedDialog {
    std::string answer;
    std::vector<std::string> startFolders;
    std::vector<std::string> titles;

    ShowFolderDialogFn Fn() {
        return [this](const std::string& startFolder, const std::string& title) {
            startFolders.push_back(startFolder);
            titles.push_back(title);
            return answer;
        };
    }
};

std::string StartFolderFor(const std::string& fieldText) {
    ScriptedDialog dialog;
    BrowseForFolder(dialog.Fn(), fieldText, "title", true);
    return dialog.startFolders.at(0);
}

#ifdef _WIN32
const std::string kFirstRoot = "C:\\";
#else
const std::string kFirstRoot = "/";
#endif

TEST(DialDossier, TheFirstRootStartsAnEmptyFieldAndKeepsItsSeparator) {
    EXPECT_EQ(StartFolderFor(""), kFirstRoot);
    EXPECT_EQ(StartFolderFor(kFirstRoot), kFirstRoot);
    EXPECT_EQ(StartFolderFor(kFirstRoot + "Games"), kFirstRoot);
    EXPECT_EQ(StartFolderForDialog(kFirstRoot), kFirstRoot);
    EXPECT_TRUE(IsDriveRoot(kFirstRoot));
    ScriptedDialog dialog;
    dialog.answer = kFirstRoot;
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", true), kFirstRoot)
        << "the root is a valid choice";
}

TEST(DialDossier, StartFolderFollowsTheFieldText) {
    EXPECT_EQ(StartFolderFor("/home/me/Layouts/"), "/home/me/Layouts");
    EXPECT_EQ(StartFolderFor("/home/me/Layouts"), "/home/me") << "no separator: the parent";
    EXPECT_EQ(StartFolderFor("Layouts"), "Layouts") << "no separator at all: kept as it is";
    EXPECT_EQ(StartFolderFor("D:\\Games\\Layouts"), "D:\\Games") << "backslashes cut too";
}

TEST(DialDossier, StartFolderForDialogOnDriveRootsAndFolders) {
    EXPECT_EQ(StartFolderForDialog("/srv/"), "/srv");
    EXPECT_EQ(StartFolderForDialog("/srv//"), "/srv/") << "only one separator goes";
}

TEST(DialDossier, ChosenFolderComesBackWithASeparator) {
    ScriptedDialog dialog;
    dialog.answer = "/home/me/Games";
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", true), "/home/me/Games/");
    dialog.answer = "/home/me/Games/";
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", true), "/home/me/Games/");
    dialog.answer = "E:\\";
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", true), "E:\\");
    dialog.answer = "D:\\Games";
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", true), "D:\\Games\\")
        << "a path with backslashes gets a backslash";
    dialog.answer = "Games";
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", true), "Games" + std::string(1, kSeparator));
}

TEST(DialDossier, CancelGivesEmptyTextOrTheInitialFolder) {
    ScriptedDialog dialog; // answers with a cancel
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "/home/me/Games", "t", true), "");
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "/home/me/Games", "t", false), "/home/me/Games/");
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "D:\\Games", "t", false), "D:\\Games\\");
    EXPECT_EQ(BrowseForFolder(dialog.Fn(), "", "t", false), "");
    EXPECT_EQ(dialog.titles, std::vector<std::string>(4, "t"));
}

TEST(DialDossier, DriveListMatchesAnywhereIgnoringCase) {
    const std::string list = std::string("C:\\") + '\0' + "D:\\" + '\0' + '\0';
    EXPECT_TRUE(OccursInDriveList("C:\\", list));
    EXPECT_TRUE(OccursInDriveList("c:", list)) << "letter case is ignored";
    EXPECT_TRUE(OccursInDriveList("D", list)) << "a bare letter occurs inside the list";
    EXPECT_FALSE(OccursInDriveList("E:\\", list));
    EXPECT_FALSE(OccursInDriveList("C:\\Games", list));
    EXPECT_FALSE(OccursInDriveList("C:\\", "")) << "an unknown list holds no root";
    EXPECT_FALSE(IsDriveRoot("/home"));
    EXPECT_FALSE(IsDriveRoot(""));
}

TEST(DialDossier, SeparatorHelpers) {
    EXPECT_EQ(WithBackslash(""), "");
    EXPECT_EQ(WithBackslash("/srv"), "/srv" + std::string(1, kSeparator));
    EXPECT_EQ(WithBackslash("/srv/"), "/srv/");
    EXPECT_EQ(WithBackslash("D:\\"), "D:\\");
    EXPECT_EQ(WithoutBackslash(""), "");
    EXPECT_EQ(WithoutBackslash("/srv/"), "/srv");
    EXPECT_EQ(WithoutBackslash("D:\\Games\\"), "D:\\Games");
    EXPECT_EQ(WithoutBackslash("/srv"), "/srv");
}

TEST(DialDossier, DialogTitleFallsBackToTheProgramsOwn) {
    EXPECT_EQ(FolderDialogTitle("Folder of your layouts"), "Folder of your layouts");
    EXPECT_EQ(FolderDialogTitle(""), "Sélectionner le dossier de votre choix.");
}

} // namespace
