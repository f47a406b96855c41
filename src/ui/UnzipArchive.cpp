#include "UnzipArchive.h"

#include "frmUnZip.h"
#include "operations/UnzipHelpers.h"

#include <QCoreApplication>

bool UnzipArchive(const std::string& archive, std::string& destination, bool hidden,
                  MessageBoxes& boxes, QWidget* owner) {
    PrepareUnzip(archive, destination);
    frmUnZip window(boxes, owner);
    if (!hidden) {
        window.show();
        QCoreApplication::processEvents();
    }
    return window.zLib_ExtraireTout();
}
