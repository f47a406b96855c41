#include "CloseOnSignal.h"
#include "Form1.h"
#include "app/Startup.h"
#include "services/SingleInstance.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    // The single-instance check comes before anything else, display included.
    SingleInstanceLock lock;
    Form1Services services;
    if (!StartUp(lock, services.program))
        return 0;
    QApplication application(argc, argv);
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/OrvanePatchLayouts.png")));
    // Lets the desktop match the window with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVANE_APP_ID));
    Form1 form(std::move(services));
    CloseOnSignal closeOnSignal(form);
    form.show();
    return application.exec();
}
