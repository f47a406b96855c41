#include "MessageBoxes.h"

#include "app/ProgramInfo.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// Qt breaks plain text at "\n"; a lone "\r" would show as a stray glyph.
QString BoxText(const std::string& text) {
    QString boxText = QString::fromStdString(text);
    boxText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return boxText;
}

int RunBox(QWidget* owner, const std::string& text, QMessageBox::Icon icon,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QString::fromUtf8(kProgramTitle), BoxText(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void QtMessageBoxes::Show(QWidget* owner, const std::string& text, MessageIcon icon) {
    RunBox(owner, text, BoxIcon(icon), QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::AskYesNo(QWidget* owner, const std::string& text) {
    return RunBox(owner, text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Yes) == QMessageBox::Yes;
}
