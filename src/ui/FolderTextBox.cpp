#include "FolderTextBox.h"

#include <QFocusEvent>
#include <QMouseEvent>

void FolderTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Qt gives the focus before it delivers the press of the same click.
    focusClick_ = event->reason() == Qt::MouseFocusReason ? FocusClick::Expected : FocusClick::None;
    emit GotFocus();
}

void FolderTextBox::focusOutEvent(QFocusEvent* event) {
    focusClick_ = FocusClick::None;
    QLineEdit::focusOutEvent(event);
}

void FolderTextBox::mousePressEvent(QMouseEvent* event) {
    if (focusClick_ == FocusClick::Expected) {
        focusClick_ = FocusClick::Held;
        event->accept();
        return;
    }
    focusClick_ = FocusClick::None;
    QLineEdit::mousePressEvent(event);
}

void FolderTextBox::mouseMoveEvent(QMouseEvent* event) {
    if (focusClick_ == FocusClick::Held) {
        event->accept(); // no drag selection from a press that was not handled
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void FolderTextBox::mouseReleaseEvent(QMouseEvent* event) {
    focusClick_ = FocusClick::None;
    QLineEdit::mouseReleaseEvent(event);
}

void SelectAllText(QLineEdit& box) {
    box.setSelection(0, static_cast<int>(box.text().size()));
}
