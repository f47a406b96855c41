#include "CloseOnSignal.h"
#include "Form1.h"
#include "SecondStart.h"
#include "app/Startup.h"
#include "services/SingleInstance.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    // The single-instance check comes before anything else, display included.
    SingleInstanceLock lock;
    Form1Services services;
    if (!StartUp(lock, services.program)) {
        QCoreApplication quiet(argc, argv);
        AskFirstCopyToRaise(SecondStartChannel(services.program.machine.programFolder));
        return 0;
    }
    const QString channel = SecondStartChannel(services.program.machine.programFolder);
    QApplication application(argc, argv);
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/OrvanePatchLayouts.png")));
    // Lets the desktop match the window with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVANE_APP_ID));
    Form1 form(std::move(services));
    CloseOnSignal closeOnSignal(form);
    RaiseOnSecondStart raiseOnSecondStart(channel, [&form] { form.BringToFront(); });
    form.show();
    return application.exec();
}
