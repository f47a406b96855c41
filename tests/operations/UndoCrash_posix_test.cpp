#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "operations/UndoLastOperation.h"
#include "support/OperationFixture.h"

#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::string>;

Tree TreeOf(const fs::path& root) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        tree[fs::relative(entry.path(), root).string()] =
            entry.is_regular_file() ? FileContent(entry.path().string()) : "<folder>";
    return tree;
}

// Every file content anywhere below `root`.
std::multiset<std::string> ContentsBelow(const fs::path& root) {
    std::multiset<std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            contents.insert(FileContent(entry.path().string()));
    return contents;
}

enum class Operation { Install, Delete };

// One run per step k: a child process does the operation and dies at once
// after its k-th step, as a killed program would. Then no original file
// may be lost, and the undo must bring back the tree as it was.
class UndoCrashTest : public OperationFixture {
  protected:
    // A fresh tree and program folder for each run, with the store of an
    // earlier operation in it, which the crashed one must not disturb.
    UndoPlace Prepare(int run) {
        const std::string top = "run" + std::to_string(run) + "/";
        runLayouts = folder.MakeDir(top + "layouts");
        folder.Write(top + "layouts/Pacman/loading.png", "old pacman");
        folder.Write(top + "layouts/Galaga/loading.png", "old galaga");
        folder.MakeDir(top + "layouts/Qbert");
        folder.Write(top + "earlier/Pacman/loading.png", "earlier");
        window.layoutsText = folder.Sub(top + "earlier");
        window.answers = {true};
        const UndoPlace place{folder.MakeDir(top + "program") + kSep, {}};
        DeleteLoadingScreens(window, program, state, &place);
        window.layoutsText = runLayouts;
        return place;
    }

    // True when step `k` was reached (the child died there).
    bool CrashAfterStep(Operation operation, UndoPlace place, int k) {
        const pid_t child = fork();
        if (child == 0) {
            int steps = 0;
            place.afterStep = [&] {
                if (++steps == k)
                    _exit(0);
            };
            window.overwriteState = 1;
            window.answers = {true};
            if (operation == Operation::Install)
                InstallLoadingScreens(window, program, state, &place);
            else
                DeleteLoadingScreens(window, program, state, &place);
            _exit(1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::string runLayouts;
};

TEST_F(UndoCrashTest, ACrashAtAnyStepLosesNoFileAndTheUndoRestoresTheTree) {
    folder.Write("screens/Pacman.png", "new pacman");
    folder.Write("screens/Galaga.png", "new galaga");
    folder.Write("screens/Qbert.png", "new qbert");
    int run = 0;
    for (Operation operation : {Operation::Install, Operation::Delete}) {
        int k = 1;
        for (;; ++k) {
            const UndoPlace place = Prepare(++run);
            const Tree before = TreeOf(runLayouts);
            if (!CrashAfterStep(operation, place, k))
                break;
            SCOPED_TRACE("operation " + std::to_string(int(operation)) + ", step " +
                         std::to_string(k));
            const auto kept = ContentsBelow(place.folder);
            const auto inLayouts = ContentsBelow(runLayouts);
            for (const char* original : {"old pacman", "old galaga"})
                EXPECT_EQ(inLayouts.count(original) + kept.count(original), 1u) << original;
            window.answers = {true};
            UndoLastOperation(window, program, state, place);
            EXPECT_EQ(TreeOf(runLayouts), before);
        }
        // Every journal line, every move and copy, and the swap.
        EXPECT_GT(k, operation == Operation::Install ? 12 : 8);
    }
}

} // namespace
