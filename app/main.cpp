// Quorvel, a trainer for fraction arithmetic.
#include <QApplication>
#include <csignal>

#include "app/trainer_window.h"
#include "app/platform.h"
#include "view/startup.h"

int main(int argc, char* argv[]) {
    // A failed save is reported in the error box: a file size limit or a
    // FIFO whose reader went away must not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    quorvel::PrepareApplication();
    QApplication application(argc, argv);
    quorvel::InstallGermanTranslations(application);
    quorvel::DesktopServices services;
    quorvel::TrainerWindow window(services);
    window.show();
    return application.exec();
}
