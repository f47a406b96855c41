#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"
#include "operations/UndoStore.h"

// The delete behind the main window's delete button: after the user
// confirms, removes loading.png from every layout folder of LayoutsPath
// (nothing deeper), logs each removal and ends with the count in a box.
// With an undo place, each loading.png goes into its store instead of
// being removed for good, so the delete can be undone.
void DeleteLoadingScreens(MainWindowPort& window, ProgramState& program, LayoutState& state,
                          const UndoPlace* undo = nullptr);
