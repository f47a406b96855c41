#pragma once

#include <string>

class QWidget;

// The folder-browse dialog of the two browse buttons, replaced in tests.
class FolderDialog {
  public:
    virtual ~FolderDialog() = default;
    // The chosen folder as the dialog gives it, or empty text on cancel. The
    // dialog is modal to `owner` and opens on `startFolder`.
    virtual std::string ShowFolderDialog(const std::string& startFolder, QWidget* owner,
                                         const std::string& title) = 0;
};

// The platform's folder dialog (the shell's own on Windows).
class QtFolderDialog final : public FolderDialog {
  public:
    std::string ShowFolderDialog(const std::string& startFolder, QWidget* owner,
                                 const std::string& title) override;
};
