// The trainer offscreen: from the key n to the page having loaded in the
// view, in single mode and in collect mode with a growing collection.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <cstdio>

#include "app/form1.h"
#include "app/radiogroup.h"
#include "app/startup.h"
#include "bench_support.h"
#include "document/htmlview.h"

using namespace quorvel;

namespace {

// Milliseconds from the key n to the loaded page.
double PressN(Form1& window) {
    QLineEdit* field = window.Eg1;
    field->setFocus();
    QSignalSpy loaded(window.View(), &HtmlView::DocumentLoaded);
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, "n");
    QApplication::sendEvent(field, &press);
    if (loaded.isEmpty()) loaded.wait(60000);
    return double(timer.nsecsElapsed()) / 1e6;
}

// The page is laid out and painted between presses, as between a pupil's
// key strokes, so that each sample measures one press alone.
void Settle(int milliseconds) {
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

double MedianOf(Form1& window, int samples) {
    std::vector<double> times;
    for (int i = 0; i < samples; ++i) {
        Settle(150);
        times.push_back(PressN(window));
    }
    return bench::Median(times);
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::Offscreen();
    PrepareApplication();
    QApplication application(argc, argv);
    bench::SilentServices services;
    const int samples = 31;

    Form1 window(services);
    QSignalSpy first(window.View(), &HtmlView::DocumentLoaded);
    window.show();
    first.wait(60000);
    window.Button2Click();
    QApplication::processEvents();

    std::printf("%-38s %10s\n", "key n to loaded page", "median ms");
    const double single = MedianOf(window, samples);
    std::printf("%-38s %10.1f\n", "single mode", single);
    {
        std::vector<double> equals;
        for (int i = 0; i < samples; ++i) {
            Settle(150);
            QSignalSpy loaded(window.View(), &HtmlView::DocumentLoaded);
            QElapsedTimer timer;
            timer.start();
            window.BBgleich->click();
            if (loaded.isEmpty()) loaded.wait(60000);
            equals.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("%-38s %10.1f\n", "\"=\" in single mode", bench::Median(equals));
    }

    window.RadioGroup3->SetItemIndex(1);
    window.Button10Click();
    QSignalSpy cleared(window.View(), &HtmlView::DocumentLoaded);
    cleared.wait(60000);
    int collected = 0;
    double empty = 0;
    double full = 0;
    for (int level : {0, 100, 500, 1000}) {
        while (collected < level) {
            PressN(window);
            ++collected;
        }
        const double median = MedianOf(window, samples);
        collected += samples;
        if (level == 0) empty = median;
        if (level == 1000) full = median;
        std::printf("collect mode, %4d solutions collected  %10.1f\n", level, median);
    }
    std::printf("1000 collected / empty collection: %.2f (at most 2 wanted)\n", full / empty);
    std::printf("full page loads during the run: %d\n", window.View()->FullLoads());
    return full <= 2 * empty ? 0 : 1;
}
