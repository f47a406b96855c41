#include "FakeDialogs.h"

#include "support/FakeWindow.h"

#include <QTest>

void FakeMessageBoxes::Show(QWidget* /*owner*/, const std::string& text, MessageIcon icon) {
    calls_.push_back(MessageCall(text, icon));
}

bool FakeMessageBoxes::AskYesNo(QWidget* /*owner*/, const std::string& text) {
    calls_.push_back("ask: " + text);
    return NextAnswer(answers);
}

std::string FakeFolderDialog::ShowFolderDialog(const std::string& startFolder, QWidget* /*owner*/,
                                               const std::string& title) {
    startFolders.push_back(startFolder);
    titles.push_back(title);
    return answer;
}

std::string FakeFolderDialog::ShowSaveDialog(QWidget* /*owner*/, const std::string& title,
                                             const std::string& /*suggested*/,
                                             const std::string& /*filter*/) {
    saveTitles.push_back(title);
    return saveAnswer;
}

std::string FakeFolderDialog::ShowOpenDialog(QWidget* /*owner*/, const std::string& /*title*/,
                                             const std::string& startFolder,
                                             const std::string& /*filter*/) {
    openFolders.push_back(startFolder);
    return openAnswer;
}

WindowBench::WindowBench() {
    ApplyLanguage(program, 0);
    program.LayoutsPath = folder.Path() + "/layouts/";
    program.SourcePath = folder.Path() + "/Screens/";
}

Form1& WindowBench::Open(Form1Operations operations) {
    Form1Services services;
    auto fakeBoxes = std::make_unique<FakeMessageBoxes>(calls);
    auto fakeDialog = std::make_unique<FakeFolderDialog>();
    fakeBoxes->answers = std::move(answersAtOpen);
    boxes = fakeBoxes.get();
    dialog = fakeDialog.get();
    services.messageBoxes = std::move(fakeBoxes);
    services.folderDialog = std::move(fakeDialog);
    services.operations = std::move(operations);
    services.program = program;
    window = std::make_unique<Form1>(std::move(services));
    return *window;
}

void WindowBench::StoreSettings(const std::string& lines) const {
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\n" + lines);
}

bool WindowBench::ShowActive() {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}
