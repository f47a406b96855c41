#include "shell/Form1Logic.h"
#include "support/FakeWindow.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

// A window that keeps what the logic puts on its controls and records the
// rest as FakeWindow does.
class RecordingForm : public Form1Logic {
  public:
    explicit RecordingForm(Form1Operations operations)
        : Form1Logic(StartedInFrench(), std::move(operations)) {}
    using Form1Logic::Command1_Click;
    using Form1Logic::Command3_Click;
    using Form1Logic::Command4_Click;
    using Form1Logic::Command5_Click;
    using Form1Logic::Command6_Click;
    using Form1Logic::FieldsChanged;
    using Form1Logic::Form_CloseRequested;
    using Form1Logic::Form_Load;
    using Form1Logic::Form_SessionEnding;
    using Form1Logic::MnuCheckScreens_Click;
    using Form1Logic::MnuEnglish_Click;
    using Form1Logic::MnuUndo_Click;
    using Form1Logic::RefreshCoverage;

    FakeWindow port;
    std::map<Form1Control, std::string> captions;
    std::map<Form1Control, int32_t> checks;
    bool frenchChecked = false;
    bool undoEnabled = false;
    std::string undoCaption;
    std::string dialogAnswer;
    int closeRequests = 0;

    std::string FieldText(FolderField field) const override { return port.FieldText(field); }
    int32_t OverwriteState() const override { return checks.at(Form1Control::Check1); }
    int32_t UseDefaultState() const override { return checks.at(Form1Control::Check2); }
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        port.ShowMessage(text, icon);
    }
    bool AskYesNo(const std::string& text) override { return port.AskYesNo(text); }
    void FocusField(FolderField field) override { port.FocusField(field); }
    void SetHourglass(bool busy) override { port.SetHourglass(busy); }
    void SetProgressVisible(bool visible) override { port.SetProgressVisible(visible); }
    void DrawProgress(int32_t value, int32_t maximum, const std::string& caption) override {
        port.DrawProgress(value, maximum, caption);
    }
    void YieldToWindow() override { port.YieldToWindow(); }
    bool UnzipWithWindow(const std::string& archive, const std::string& folder,
                         bool hidden) override {
        return port.UnzipWithWindow(archive, folder, hidden);
    }

    void SetFieldText(FolderField field, const std::string& text) override {
        (field == FolderField::Layouts ? port.layoutsText : port.screensText) = text;
    }
    void SetCheckState(Form1Control box, int32_t state) override { checks[box] = state; }
    void SetCaption(Form1Control control, const std::string& text) override {
        captions[control] = text;
    }
    void SetLanguageChecks(bool french) override { frenchChecked = french; }
    void SetUndoItem(bool enabled, const std::string& caption) override {
        undoEnabled = enabled;
        undoCaption = caption;
    }
    std::string ShowFolderDialog(const std::string& startFolder,
                                 const std::string& title) override {
        port.calls.push_back("dialog: " + startFolder + " | " + title);
        return dialogAnswer;
    }
    void CloseWindow() override { ++closeRequests; }
    // The view as a shell keeps it: made at its first opening, then hidden or shown.
    struct View final : CoverageViewPort {
        void SetListing(CoverageListing listing) override {
            updatedRows.push_back(listing.rows.size());
        }
        void MarkOutOfDate() override { ++outOfDate; }
        bool Showing() const override { return showing; }
        bool showing = false;
        std::vector<size_t> updatedRows;
        int outOfDate = 0;
    };
    void ShowCoverage(CoverageListing listing) override {
        shownRows.push_back(listing.rows.size());
        view.emplace().showing = true;
        host = HostForCoverage();
    }
    CoverageViewPort* CoverageView() override { return view ? &*view : nullptr; }
    std::optional<View> view;
    CoverageHost host;
    std::vector<size_t> shownRows;

  private:
    static ProgramState StartedInFrench() {
        ProgramState program;
        ApplyLanguage(program, 1);
        program.LayoutsPath = "/games/layouts/";
        program.SourcePath = "/games/screens/";
        return program;
    }
};

class Form1LogicTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};

    void SetUp() override {
        folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\nOverWrite=2\r\n"
                                               "UseDefault=yes\r\nURL=http://127.0.0.1/s.zip\r\n");
    }
};

TEST_F(Form1LogicTest, LoadFillsTheControlsAndTheLanguageMenuRecaptionsThem) {
    RecordingForm form({});
    form.Form_Load();
    EXPECT_EQ(form.port.layoutsText, "/games/layouts/");
    EXPECT_EQ(form.port.screensText, "/games/screens/");
    EXPECT_EQ(form.checks[Form1Control::Check1], 2) << "grayed, as stored";
    EXPECT_EQ(form.checks[Form1Control::Check2], 0) << "not a number";
    EXPECT_TRUE(form.frenchChecked);
    EXPECT_EQ(form.captions.size(), 8u) << "Command6 keeps its own caption";
    EXPECT_EQ(form.captions[Form1Control::Label1], "Dossier de vos layouts:");
    EXPECT_EQ(form.captions[Form1Control::Check1], "E&craser");

    form.MnuEnglish_Click();
    EXPECT_EQ(form.Program().Language, 0);
    EXPECT_FALSE(form.frenchChecked);
    EXPECT_EQ(form.captions[Form1Control::Label2], "Folder of your loading screens:");
    EXPECT_EQ(form.captions[Form1Control::Check1], "&Overwrite");
    EXPECT_EQ(form.Program().Messages[kMsgFinished], "Finished");
}

TEST_F(Form1LogicTest, ClicksDuringAnOperationAreIgnoredAndACloseWaitsForItsEnd) {
    Form1Operations operations;
    RecordingForm* self = nullptr;
    std::vector<std::string> ran;
    operations.install = [&](MainWindowPort&, ProgramState&, LayoutState& state) {
        ran.push_back("install");
        self->Command4_Click();
        self->Command1_Click();
        EXPECT_FALSE(self->Form_CloseRequested()) << "the close waits";
        EXPECT_EQ(self->closeRequests, 0);
        state.InstallDone = true;
    };
    operations.download = [&](MainWindowPort&, ProgramState&, LayoutState&) {
        ran.push_back("download");
    };
    operations.deleteTemporaryFiles = [&](MainWindowPort&, ProgramState&, LayoutState&) {
        ran.push_back("clean-up");
    };
    RecordingForm form(std::move(operations));
    self = &form;
    form.Form_Load();
    form.Command3_Click();
    EXPECT_EQ(ran, std::vector<std::string>{"install"});
    EXPECT_TRUE(form.port.CallsStartingWith("dialog").empty()) << "browse ignored while busy";
    ASSERT_EQ(form.closeRequests, 1) << "the close asked meanwhile is carried out";

    EXPECT_TRUE(form.Form_CloseRequested());
    EXPECT_EQ(ran.back(), "clean-up") << "after an install";
    EXPECT_TRUE(form.Form_CloseRequested()) << "a second request changes nothing";
    EXPECT_EQ(ran.size(), 2u);
    const std::string settings = FileContent(folder.Sub("OrvanePatchLayouts.ini"));
    for (const char* key : {"Language=1", "LayoutsPath=/games/layouts/", "OverWrite=2",
                            "SourcePath=/games/screens/", "UseDefault=0", "URL=http://127.0.0.1/"})
        EXPECT_NE(settings.find(key), std::string::npos) << key;
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")),
              std::string(MachineScope::kTime) + " END\r\n");
}

TEST_F(Form1LogicTest, ASessionEndSavesAsACloseDoesWithoutTheCleanUpQuestionAndOnlyOnce) {
    Form1Operations operations;
    int cleanUps = 0;
    operations.deleteTemporaryFiles = [&](MainWindowPort&, ProgramState&, LayoutState&) {
        ++cleanUps;
    };
    RecordingForm form(std::move(operations));
    form.Form_Load();
    form.State().InstallDone = true;
    form.MnuEnglish_Click();
    form.Form_SessionEnding();
    EXPECT_EQ(cleanUps, 0);
    EXPECT_NE(FileContent(folder.Sub("OrvanePatchLayouts.ini")).find("Language=0"),
              std::string::npos);
    const std::string endLog = std::string(MachineScope::kTime) + " END\r\n";
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")), endLog);
    EXPECT_TRUE(form.Form_CloseRequested()) << "the window may then go";
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")), endLog);
}

TEST_F(Form1LogicTest, BrowseStartsOnTheFieldsFolderAndKeepsTheFieldOnCancel) {
    RecordingForm form({});
    form.Form_Load();
    form.Command1_Click();
    EXPECT_EQ(form.port.layoutsText, "/games/layouts/") << "cancelled";
    form.dialogAnswer = "/games/other";
    form.Command1_Click();
    EXPECT_EQ(form.port.layoutsText, "/games/other/");
    EXPECT_EQ(form.port.CallsStartingWith("dialog"),
              (std::vector<std::string>{"dialog: /games/layouts | Dossier de vos layouts",
                                        "dialog: /games/layouts | Dossier de vos layouts"}));
}

} // namespace

namespace {

TEST_F(Form1LogicTest, CheckScreensWithABlankFieldShowsNoViewButTheInvalidFolder) {
    RecordingForm form{Form1Operations{}};
    form.Form_Load();
    form.port.layoutsText = "";
    form.MnuCheckScreens_Click();
    EXPECT_TRUE(form.shownRows.empty());
    EXPECT_EQ(form.port.calls, (std::vector<std::string>{"message(Exclamation): Le dossier des "
                                                         "layouts semble invalide.",
                                                         "focus: Text1"}));
    form.port.layoutsText = folder.Path();
    form.MnuCheckScreens_Click();
    EXPECT_EQ(form.shownRows.size(), 1u);
}

// The item follows the store: asked at the load and after each operation,
// never while one runs (it would look at a store still being written).
TEST_F(Form1LogicTest, TheUndoItemFollowsTheStoreAndRunsTheUndo) {
    Form1Operations operations;
    std::optional<UndoKind> stored;
    int asked = 0;
    RecordingForm* self = nullptr;
    operations.undoable = [&](const ProgramState&) {
        ++asked;
        return stored;
    };
    operations.deleteLoadingScreens = [&](MainWindowPort&, ProgramState&, LayoutState&) {
        self->MnuUndo_Click();
        stored = UndoKind::Delete;
    };
    operations.undo = [&](MainWindowPort&, ProgramState&, LayoutState&) { stored.reset(); };
    RecordingForm form(std::move(operations));
    self = &form;
    form.Form_Load();
    EXPECT_FALSE(form.undoEnabled);
    EXPECT_EQ(form.undoCaption, "&Undo last install");

    form.Command5_Click();
    EXPECT_EQ(asked, 2) << "not asked from the click inside the delete";
    EXPECT_TRUE(form.undoEnabled);
    EXPECT_EQ(form.undoCaption, "&Undo last delete");

    form.MnuUndo_Click();
    EXPECT_FALSE(form.undoEnabled);
}

// The open view follows every operation with a new listing, and a change of
// the fields with a word that it is out of date; a closed view is left be.
TEST_F(Form1LogicTest, TheOpenViewFollowsOperationsAndTheFields) {
    Form1Operations operations;
    std::vector<std::string> ran;
    for (WindowOperation* operation : {&operations.install, &operations.deleteLoadingScreens,
                                       &operations.undo, &operations.unzip})
        *operation = [&ran](MainWindowPort&, ProgramState&, LayoutState&) { ran.push_back("op"); };
    RecordingForm form(std::move(operations));
    form.Form_Load();
    folder.MakeDir("layouts/Pacman");
    form.port.layoutsText = folder.Sub("layouts");
    form.port.screensText = folder.MakeDir("screens");
    form.Command3_Click();
    form.FieldsChanged();
    EXPECT_FALSE(form.view) << "no view is made before it is asked for";

    form.MnuCheckScreens_Click();
    RecordingForm::View& view = *form.view;
    form.Command3_Click();
    form.Command5_Click();
    form.MnuUndo_Click();
    form.Command6_Click();
    EXPECT_EQ(view.updatedRows, (std::vector<size_t>{1, 1, 1, 1}));
    folder.MakeDir("layouts/Galaga");
    form.host.refresh(); // the view's own refresh button
    EXPECT_EQ(view.updatedRows.back(), 2u);
    EXPECT_EQ(form.host.screensFolder(), form.port.screensText + Native("/"));
    EXPECT_EQ(form.host.program, &form.Program());
    // A decision taken while the view lists (the listing yields to the
    // window) asks for a refresh the guard refuses: the listing is made again.
    bool decided = false;
    form.PaceEventsWith(EventPacing([t = EventPacing::Clock::time_point{}]() mutable {
        return t += std::chrono::seconds(1); // every entry yields
    }));
    form.port.onYield = [&] {
        if (!std::exchange(decided, true)) {
            folder.MakeDir("layouts/Frogger");
            form.host.refresh();
        }
    };
    form.host.refresh();
    EXPECT_EQ(view.updatedRows.back(), 3u);
    form.port.onYield = nullptr;
    form.FieldsChanged();
    EXPECT_EQ(view.outOfDate, 1);
    form.port.screensText = " ";
    form.Command3_Click();
    EXPECT_EQ(view.outOfDate, 2) << "a blank field: no second box after the operation's";
    EXPECT_TRUE(form.port.CallsStartingWith("message").empty());
    EXPECT_EQ(view.updatedRows.size(), 6u);


    view.showing = false; // closed: kept, and left be
    form.FieldsChanged();
    form.Command3_Click();
    EXPECT_EQ(view.outOfDate, 2);
    EXPECT_EQ(view.updatedRows.size(), 6u);
}

} // namespace
