#pragma once

#include <QLineEdit>

// A one-line folder field that tells when it has received the input focus,
// after its own focus handling, so a selection made then stays. The mouse
// click that brings the focus leaves that selection alone; later clicks
// place the caret as usual.
class FolderTextBox : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void GotFocus();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The focus came from a click whose press is on its way (Expected) or
    // whose button is still down (Held).
    enum class FocusClick { None, Expected, Held };
    FocusClick focusClick_ = FocusClick::None;
};

// Selects the whole text of `box`, so that typing replaces it.
void SelectAllText(QLineEdit& box);
