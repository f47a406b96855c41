#include "FolderTextBox.h"

void FolderTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

void SelectAllText(QLineEdit& box) {
    box.setSelection(0, static_cast<int>(box.text().size()));
}
