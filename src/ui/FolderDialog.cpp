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

std::string QtFolderDialog::ShowSaveDialog(QWidget* owner, const std::string& title,
                                           const std::string& suggested,
                                           const std::string& filter) {
    const QString chosen = QFileDialog::getSaveFileName(owner, QString::fromStdString(title),
                                                        QString::fromStdString(suggested),
                                                        QString::fromStdString(filter));
    return QDir::toNativeSeparators(chosen).toStdString();
}

std::string QtFolderDialog::ShowOpenDialog(QWidget* owner, const std::string& title,
                                           const std::string& startFolder,
                                           const std::string& filter) {
    const QString chosen = QFileDialog::getOpenFileName(owner, QString::fromStdString(title),
                                                        QString::fromStdString(startFolder),
                                                        QString::fromStdString(filter));
    return QDir::toNativeSeparators(chosen).toStdString();
}
