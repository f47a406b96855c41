#include "Form1.h"
#include "UnzipArchive.h"
#include "ui_Form1.h"

#include <QCoreApplication>

namespace {

// Check-box states as the settings hold them: 0 unchecked, 1 checked, 2 grayed.
int32_t StateOf(const QCheckBox& box) {
    switch (box.checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

} // namespace

// What the operations use of the window: its fields and boxes, message boxes,
// the progress area, the pointer and the event loop.

std::string Form1::FieldText(FolderField field) const {
    const FolderTextBox* box = field == FolderField::Layouts ? ui_->Text1 : ui_->Text2;
    return box->text().toStdString();
}

int32_t Form1::OverwriteState() const {
    return StateOf(*ui_->Check1);
}

int32_t Form1::UseDefaultState() const {
    return StateOf(*ui_->Check2);
}

void Form1::ShowMessage(const std::string& text, MessageIcon icon) {
    messageBoxes_->Show(this, text, icon);
}

bool Form1::AskYesNo(const std::string& text) {
    return messageBoxes_->AskYesNo(this, text);
}

void Form1::FocusField(FolderField field) {
    (field == FolderField::Layouts ? ui_->Text1 : ui_->Text2)->setFocus(Qt::OtherFocusReason);
}

void Form1::SetHourglass(bool busy) {
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void Form1::SetProgressVisible(bool visible) {
    ui_->Picture1->setVisible(visible);
}

void Form1::DrawProgress(int32_t value, int32_t maximum, const std::string& caption) {
    DrawStandardProgress(*ui_->Picture1, value, maximum, caption);
}

void Form1::YieldToWindow() {
    QCoreApplication::processEvents();
}

bool Form1::UnzipWithWindow(const std::string& archive, const std::string& folder, bool hidden) {
    std::string destination = folder;
    return UnzipArchive(Program(), archive, destination, hidden, *messageBoxes_, this);
}
