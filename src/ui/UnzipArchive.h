#pragma once

#include <string>

class MessageBoxes;
struct ProgramState;
class QWidget;

// Unpacks every entry of `archive` into `destination` with the entries'
// folders, keeping files that already exist, through the unzip window (shown
// unless `hidden`). An empty `destination` becomes the program folder and is
// handed back. `program` keeps what the window works on. True when the
// extraction ran through.
bool UnzipArchive(ProgramState& program, const std::string& archive, std::string& destination,
                  bool hidden, MessageBoxes& boxes, QWidget* owner = nullptr);
