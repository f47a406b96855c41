#pragma once

#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "operations/UndoLastOperation.h"
#include "support/OperationFixture.h"

// Layouts with and without a loading.png and screens for some of them, the
// undo store beside the program's files, and the three operations a user
// runs on them, each answered yes.
class UndoFixture : public OperationFixture {
  protected:
    UndoPlace place{folder.Path() + kSep, {}};

    void SetUp() override {
        OperationFixture::SetUp();
        folder.Write("layouts/Pacman/loading.png", "old pacman");
        folder.Write("layouts/Galaga/loading.png", "old galaga");
        folder.MakeDir("layouts/Qbert");
        folder.Write("screens/Pacman.png", "new pacman");
        folder.Write("screens/Qbert.png", "new qbert");
    }
    void Install() {
        window.overwriteState = 1;
        InstallLoadingScreens(window, program, state, &place);
    }
    void Delete() {
        window.answers = {true};
        DeleteLoadingScreens(window, program, state, &place);
    }
    void Undo() {
        window.answers = {true};
        window.calls.clear();
        UndoLastOperation(window, program, state, place);
    }
};
