#include "Form1.h"

#include "app/AppState.h"
#include "app/ProgramInfo.h"
#include "app/Settings.h"

#include <QCloseEvent>

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    setWindowTitle(kMainWindowCaption);
    setFixedSize(552, 238);
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload() {
    ClosingValues values;
    values.layoutsText = LayoutsPath;
    values.sourceText = SourcePath;
    values.overwriteState = CheckBoxSetting(kKeyOverWrite);
    values.useDefaultState = CheckBoxSetting(kKeyUseDefault);
    SaveSettingsAndLogEnd(values);
}
