#include "Form1.h"
#include "app/Startup.h"
#include "services/SingleInstance.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    // The single-instance check comes before anything else, display included.
    SingleInstanceLock lock;
    if (!StartUp(lock))
        return 0;
    QApplication application(argc, argv);
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/OrvanePatchLayouts.png")));
    Form1 form;
    form.show();
    return application.exec();
}
