#include "shell/Form1Logic.h"

#include "app/DialDossier.h"
#include "app/Settings.h"
#include "services/FileUtils.h"
#include "shell/Form1Captions.h"

Form1Logic::Form1Logic(ProgramState program, Form1Operations operations)
    : operations_(std::move(operations)), program_(std::move(program)) {}

void Form1Logic::Form_Load() {
    SetFieldText(FolderField::Layouts, program_.LayoutsPath);
    SetFieldText(FolderField::Screens, program_.SourcePath);
    RefreshCaptions();
    SetCheckState(Form1Control::Check1, CheckBoxSetting(kKeyOverWrite));
    SetCheckState(Form1Control::Check2, CheckBoxSetting(kKeyUseDefault));
    SetLanguageChecks(program_.Language != 0);
    RunOperation(operations_.offerUnzipAtStart);
}

// Asked again after every operation: the store changes only through them.
void Form1Logic::RefreshUndoItem() {
    const std::optional<UndoKind> kind =
        operations_.undoable ? operations_.undoable(program_) : std::nullopt;
    SetUndoItem(kind.has_value(), UndoItemCaption(kind.value_or(UndoKind::Install)));
}

void Form1Logic::RefreshCaptions() {
    for (const ControlCaption& caption : CaptionsFrom(program_.Messages))
        SetCaption(caption.control, caption.text);
}

void Form1Logic::ChooseLanguage(int32_t language) {
    ApplyLanguage(program_, language);
    SetLanguageChecks(language != 0);
    RefreshCaptions();
    LanguageChanged();
}

void Form1Logic::MnuCheckScreens_Click() {
    std::optional<CoverageListing> listing;
    if (ListForCoverage(listing) && listing)
        ShowCoverage(std::move(*listing));
}

void Form1Logic::RefreshCoverage() {
    std::optional<CoverageListing> listing;
    if (ListForCoverage(listing) && listing && CoverageView())
        CoverageView()->SetListing(std::move(*listing));
}

// The listing yields to the window as the install's does, so it runs under
// the guard: no operation starts in the middle of it. A decision the user
// takes in the view meanwhile asks for a refresh the guard refuses; the
// listing is then made again, or the view would show the links as they
// were before that decision. False when nothing was listed or the window
// closed meanwhile.
bool Form1Logic::ListForCoverage(std::optional<CoverageListing>& listing) {
    bool listed = false;
    do {
        relistCoverage_ = false;
        listed = guard_.Run([this, &listing] { listing = ListCoverageOf(*this, program_); });
        if (guard_.TakeDeferredClose()) {
            CloseWindow();
            return false;
        }
    } while (listed && relistCoverage_);
    relistCoverage_ = !listed;
    return listed;
}

CoverageHost Form1Logic::HostForCoverage() {
    return CoverageHost{&program_,
                        [this] { return FolderOfField(FieldText(FolderField::Screens)); },
                        [this] { RefreshCoverage(); }};
}

bool Form1Logic::CoverageShowing() {
    const CoverageViewPort* view = CoverageView();
    return view && view->Showing();
}

void Form1Logic::FieldsChanged() {
    if (CoverageShowing())
        CoverageView()->MarkOutOfDate();
}

// After an operation the open view lists again; with a blank field it only
// says it is out of date, as the operation has already told the user.
void Form1Logic::FollowInCoverage() {
    if (closing_ || guard_.Busy() || !CoverageShowing())
        return;
    if (FolderOfField(FieldText(FolderField::Layouts)).empty() ||
        FolderOfField(FieldText(FolderField::Screens)).empty())
        return CoverageView()->MarkOutOfDate();
    RefreshCoverage();
}

bool Form1Logic::Form_CloseRequested() {
    // A close asked for while the clean-up question runs is the same close.
    if (unloaded_ || closing_)
        return unloaded_;
    if (!guard_.MayCloseNow())
        return false;
    closing_ = true;
    Form_QueryUnload();
    Form_Unload();
    unloaded_ = true;
    return true;
}

void Form1Logic::Form_SessionEnding() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_Unload();
}

void Form1Logic::Form_QueryUnload() {
    if (!layoutState_.InstallDone || !operations_.deleteTemporaryFiles)
        return;
    guard_.Run([this] { operations_.deleteTemporaryFiles(*this, program_, layoutState_); });
}

void Form1Logic::Form_Unload() {
    ClosingValues values;
    values.layoutsText = FieldText(FolderField::Layouts);
    values.sourceText = FieldText(FolderField::Screens);
    values.overwriteState = OverwriteState();
    values.useDefaultState = UseDefaultState();
    values.language = program_.Language;
    SaveSettingsAndLogEnd(values);
}

void Form1Logic::Browse(FolderField field, TextId title) {
    if (guard_.Busy())
        return;
    const auto show = [this](const std::string& startFolder, const std::string& dialogTitle) {
        return ShowFolderDialog(startFolder, dialogTitle);
    };
    const std::string folder =
        BrowseForFolder(show, FieldText(field), program_.Messages[title], true);
    if (!folder.empty())
        SetFieldText(field, folder);
}

void Form1Logic::RunOperation(const WindowOperation& operation) {
    guard_.Run([this, &operation] {
        if (operation)
            operation(*this, program_, layoutState_);
    });
    // A click that came in during an operation must not look at the store
    // that operation is still writing.
    if (!closing_ && !guard_.Busy())
        RefreshUndoItem();
    if (guard_.TakeDeferredClose())
        return CloseWindow();
    FollowInCoverage();
}
