#pragma once

class SingleInstanceLock;
struct ProgramState;

// The start-up before the main window: refuses a second copy, starts the log
// afresh with "Start", reads the settings into `program` and loads the
// language texts. False when another copy runs: the caller then ends without
// a window.
bool StartUp(SingleInstanceLock& lock, ProgramState& program);
