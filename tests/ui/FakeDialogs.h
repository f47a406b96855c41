#pragma once

#include "FolderDialog.h"
#include "Form1.h"
#include "MessageBoxes.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

// Message boxes that record what they would show ("message(Icon): text",
// "ask: text") into a shared list and answer questions from a script (an
// empty script answers No).
class FakeMessageBoxes : public MessageBoxes {
  public:
    explicit FakeMessageBoxes(std::vector<std::string>& calls) : calls_(calls) {}
    std::deque<bool> answers;

    void Show(QWidget* owner, const std::string& text, MessageIcon icon) override;
    bool AskYesNo(QWidget* owner, const std::string& text) override;

  private:
    std::vector<std::string>& calls_;
};

// File dialogs that record where it was opened and answers from a script
// (an empty answer is a cancel).
class FakeFolderDialog : public FolderDialog {
  public:
    std::string answer;
    std::vector<std::string> startFolders;
    std::vector<std::string> titles;

    std::string ShowFolderDialog(const std::string& startFolder, QWidget* owner,
                                 const std::string& title) override;

    // The save dialog: the file it answers, and the titles it was shown with.
    std::string saveAnswer;
    std::vector<std::string> saveTitles;
    std::string ShowSaveDialog(QWidget* owner, const std::string& title,
                               const std::string& suggested, const std::string& filter) override;

    // The open dialog: the file it answers, and the folders it opened in.
    std::string openAnswer;
    std::vector<std::string> openFolders;
    std::string ShowOpenDialog(QWidget* owner, const std::string& title,
                               const std::string& startFolder, const std::string& filter) override;
};

// A main window on a stand-in program folder, with fake dialogs and the
// operations a test gives it. `calls` receives the boxes and whatever the
// test's operations record, in order.
class WindowBench {
  public:
    WindowBench();

    // Creates the window (which loads itself) from a copy of `program`.
    Form1& Open(Form1Operations operations = {});
    // Shows the opened window and makes it the active one, as a user's
    // window is; false when it did not become active.
    bool ShowActive();
    void Close() { window->close(); }

    template <class T> T* Find(const char* name) const { return window->findChild<T*>(name); }
    std::string Settings() const { return FileContent(folder.Sub("OrvanePatchLayouts.ini")); }
    std::string Log() const { return FileContent(folder.Sub("OrvanePatchLayouts.log.txt")); }
    void StoreSettings(const std::string& lines) const;

    TempFolder folder;
    MachineScope machine{folder.Path()};
    ProgramState program; // as the start-up would fill it
    std::vector<std::string> calls;
    std::deque<bool> answersAtOpen; // for the questions the window asks while it loads
    FakeMessageBoxes* boxes = nullptr;
    FakeFolderDialog* dialog = nullptr;
    std::unique_ptr<Form1> window;
};
