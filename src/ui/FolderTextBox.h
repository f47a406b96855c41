#pragma once

#include <QLineEdit>

// A one-line folder field that tells when it has received the input focus,
// after its own focus handling, so a selection made then stays.
class FolderTextBox : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void GotFocus();

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

// Selects the whole text of `box`, so that typing replaces it.
void SelectAllText(QLineEdit& box);
