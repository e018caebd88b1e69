// Quorvel, a trainer for fraction arithmetic.
#include <QApplication>

#include "app/form1.h"
#include "app/platform.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    quorvel::PrepareApplication();
    QApplication application(argc, argv);
    quorvel::InstallGermanTranslations(application);
    quorvel::DesktopServices services;
    quorvel::Form1 window(services);
    window.show();
    return application.exec();
}
