// Start-up: from starting the trainer's process to the instructions page
// having loaded. The program starts itself as the measured child.
#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <cstdio>
#include <cstring>

#include "app/trainer_window.h"
#include "view/startup.h"
#include "bench_support.h"
#include "view/htmlview.h"

using namespace quorvel;

namespace {

// The measured child: what the trainer does at start, then a report.
int Child(int argc, char* argv[]) {
    bench::Offscreen();
    PrepareApplication();
    QApplication application(argc, argv);
    bench::SilentServices services;
    TrainerWindow window(services);
    QObject::connect(window.View(), &HtmlView::DocumentLoaded, [&] {
        std::printf("loaded\n");
        std::fflush(stdout);
        application.quit();
    });
    window.show();
    return application.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return Child(argc, argv);
    QCoreApplication application(argc, argv);
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {"--child"});
        while (child.state() != QProcess::NotRunning && !child.canReadLine()) child.waitForReadyRead(60000);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        child.waitForFinished(60000);
    }
    std::printf("start-up to the loaded instructions page: median %.0f ms (%zu runs)\n", bench::Median(times),
                times.size());
    return 0;
}
