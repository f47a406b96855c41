#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"
#include "operations/UndoStore.h"

// The undo behind the main window's undo item: after the user confirms
// with the counts, takes back the last install or delete recorded at
// `place`, newest change first. A loading.png the user changed since is left
// alone; a file that cannot be put back stays kept. Every step goes to the
// log; the totals end in a box.
void UndoLastOperation(MainWindowPort& window, ProgramState& program, LayoutState& state,
                       const UndoPlace& place);
