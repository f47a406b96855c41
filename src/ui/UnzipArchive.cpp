#include "UnzipArchive.h"

#include "frmUnZip.h"
#include "operations/UnzipHelpers.h"

bool UnzipArchive(ProgramState& program, const std::string& archive, std::string& destination,
                  bool hidden, MessageBoxes& boxes, QWidget* owner) {
    PrepareUnzip(program, archive, destination);
    frmUnZip window(program, boxes, owner);
    return window.ExtractAllShown(hidden);
}
