#include "FolderDialog.h"

#include "app/DialDossier.h"

#include <QDir>
#include <QFileDialog>

std::string QtFolderDialog::ShowFolderDialog(const std::string& startFolder, QWidget* owner,
                                             const std::string& title) {
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QString::fromStdString(FolderDialogTitle(title)),
        QString::fromStdString(startFolder), QFileDialog::ShowDirsOnly);
    return QDir::toNativeSeparators(chosen).toStdString();
}
