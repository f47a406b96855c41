#include "UnzipArchive.h"

#include "frmUnZip.h"
#include "operations/UnzipHelpers.h"

bool UnzipArchive(const std::string& archive, std::string& destination, bool hidden,
                  MessageBoxes& boxes, QWidget* owner) {
    PrepareUnzip(archive, destination);
    frmUnZip window(boxes, owner);
    return window.ExtractAllShown(hidden);
}
