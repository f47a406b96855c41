#pragma once

#include "operations/MainWindowPort.h"

#include <string>

class QWidget;

// The main window's message boxes. Tests give the window scripted boxes, so
// every path that asks or tells the user runs without a real dialog.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A box with an OK button; "\r\n" in `text` is a line break.
    virtual void Show(QWidget* owner, const std::string& text, MessageIcon icon) = 0;
    // A question box with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const std::string& text) = 0;
};

// Modal QMessageBox dialogs titled with the program title.
class QtMessageBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* owner, const std::string& text, MessageIcon icon) override;
    bool AskYesNo(QWidget* owner, const std::string& text) override;
};
