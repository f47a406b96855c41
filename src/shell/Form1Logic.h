#pragma once

#include "app/OperationGuard.h"
#include "app/ProgramState.h"
#include "operations/CoverageList.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"
#include "shell/CoverageViewPort.h"
#include "shell/Form1Controls.h"
#include "shell/Form1Operations.h"

#include <string>

// What the main window does, apart from drawing: how it loads and closes,
// the language menu, the browse buttons and the operation buttons, guarded
// so that operations never overlap. A window shell derives from it, draws
// the controls through the hooks below and calls the handlers on its events.
class Form1Logic : public MainWindowPort {
  public:
    // `program` as the start-up filled it.
    Form1Logic(ProgramState program, Form1Operations operations);

    ProgramState& Program() { return program_; }
    LayoutState& State() { return layoutState_; }

  protected:
    // Drawing hooks of the shell.
    virtual void SetFieldText(FolderField field, const std::string& text) = 0;
    // Check1 or Check2: 0 unchecked, 1 checked, 2 grayed.
    virtual void SetCheckState(Form1Control box, int32_t state) = 0;
    virtual void SetCaption(Form1Control control, const std::string& text) = 0;
    virtual void SetLanguageChecks(bool french) = 0;
    // The chosen folder as the dialog gives it, or empty text on cancel.
    virtual std::string ShowFolderDialog(const std::string& startFolder,
                                         const std::string& title) = 0;
    // The menu's undo item: its caption and whether it may be chosen.
    virtual void SetUndoItem(bool enabled, const std::string& caption) = 0;
    // Asks the window to close, as the close box does.
    virtual void CloseWindow() = 0;
    // Opens the view of screens on `listing` (or brings it up again with it).
    virtual void ShowCoverage(CoverageListing listing) = 0;
    // The view of screens once made, or null. While it shows it follows
    // what happens: a new listing after an install, a delete, an undo or a
    // change of the links; "out of date" after an edit of the fields.
    virtual CoverageViewPort* CoverageView() = 0;
    // After a language switch, for the windows other than this one.
    virtual void LanguageChanged() {}

    // Handlers. Form_Load runs once the controls exist.
    void Form_Load();
    // Any close request; true when the window may go now. The close waits
    // for a running operation and is carried out when it has ended.
    bool Form_CloseRequested();
    // The user's session ends (log-off, shutdown): the process will not see
    // a close, so what a close saves is saved now, without any question.
    void Form_SessionEnding();
    void MnuEnglish_Click() { ChooseLanguage(0); }
    void MnuFrench_Click() { ChooseLanguage(1); }
    void MnuCheckScreens_Click();
    // The view asks for a new listing (its refresh button, or a change of
    // the links it has saved); the open view receives it through SetListing.
    void RefreshCoverage();
    // What a new view is given of this window: the program, the screens
    // field and the refresh.
    CoverageHost HostForCoverage();
    // A field or an option box changed (the shells call it on their edits).
    void FieldsChanged();
    void Command1_Click() { Browse(FolderField::Layouts, kMsgLayoutsFolder); }
    void Command2_Click() { Browse(FolderField::Screens, kMsgScreensFolder); }
    void Command3_Click() { RunOperation(operations_.install); }
    void Command4_Click() { RunOperation(operations_.download); }
    void Command5_Click() { RunOperation(operations_.deleteLoadingScreens); }
    void Command6_Click() { RunOperation(operations_.unzip); }
    void MnuUndo_Click() { RunOperation(operations_.undo); }

  private:
    void RefreshCaptions();
    void RefreshUndoItem();
    void ChooseLanguage(int32_t language);
    void Browse(FolderField field, TextId title);
    void RunOperation(const WindowOperation& operation);
    void FollowInCoverage();
    bool ListForCoverage(std::optional<CoverageListing>& listing);
    bool CoverageShowing();
    void Form_QueryUnload();
    void Form_Unload();

    Form1Operations operations_;
    ProgramState program_;
    LayoutState layoutState_;
    OperationGuard guard_;
    bool closing_ = false;
    bool unloaded_ = false;
    bool relistCoverage_ = false; // a refresh was refused while the guard was held
};
