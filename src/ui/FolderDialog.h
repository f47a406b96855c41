#pragma once

#include <string>

class QWidget;

// The file dialogs of the windows: the folder-browse dialog of the two
// browse buttons, and the save and open dialogs of the view of screens;
// replaced in tests.
class FolderDialog {
  public:
    virtual ~FolderDialog() = default;
    // The chosen folder as the dialog gives it, or empty text on cancel. The
    // dialog is modal to `owner` and opens on `startFolder`.
    virtual std::string ShowFolderDialog(const std::string& startFolder, QWidget* owner,
                                         const std::string& title) = 0;
    // The file chosen to save into, or empty text on cancel; `suggested`
    // is the file name proposed, `filter` a filter such as "CSV files (*.csv)".
    virtual std::string ShowSaveDialog(QWidget* owner, const std::string& title,
                                       const std::string& suggested, const std::string& filter) = 0;
    // The existing file chosen, or empty text on cancel; opens in `startFolder`.
    virtual std::string ShowOpenDialog(QWidget* owner, const std::string& title,
                                       const std::string& startFolder,
                                       const std::string& filter) = 0;
};

// The platform's folder dialog (the shell's own on Windows).
class QtFolderDialog final : public FolderDialog {
  public:
    std::string ShowFolderDialog(const std::string& startFolder, QWidget* owner,
                                 const std::string& title) override;
    std::string ShowSaveDialog(QWidget* owner, const std::string& title,
                               const std::string& suggested, const std::string& filter) override;
    std::string ShowOpenDialog(QWidget* owner, const std::string& title,
                               const std::string& startFolder, const std::string& filter) override;
};
