// The trainer offscreen: from the key n to the page having loaded in the
// view, in single mode and in collect mode with a growing collection.
#include <QApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <cstdio>
#include <functional>
#include <string>

#include "app/trainer_window.h"
#include "app/radiogroup.h"
#include "view/startup.h"
#include "bench_support.h"
#include "view/htmlview.h"

using namespace quorvel;

namespace {

struct Timing {
    double loaded = 0;    // milliseconds until the view reports the page loaded
    double laidOut = 0;   // ... and until the engine has laid it out
};

// Waits for the view's page to answer a layout query, which makes the engine
// finish the layout that the change of the page left pending.
void WaitForLayout(HtmlView& view) {
    bool answered = false;
    view.page()->runJavaScript("document.body ? document.body.offsetHeight : 0", QWebEngineScript::ApplicationWorld,
                               [&answered](const QVariant&) { answered = true; });
    QElapsedTimer limit;
    limit.start();
    while (!answered && limit.elapsed() < 60000) QApplication::processEvents(QEventLoop::AllEvents, 1);
}

Timing Measure(TrainerWindow& window, const std::function<void()>& action) {
    QSignalSpy loaded(window.View(), &HtmlView::DocumentLoaded);
    QElapsedTimer timer;
    timer.start();
    action();
    if (loaded.isEmpty()) loaded.wait(60000);
    Timing timing;
    timing.loaded = double(timer.nsecsElapsed()) / 1e6;
    WaitForLayout(*window.View());
    timing.laidOut = double(timer.nsecsElapsed()) / 1e6;
    return timing;
}

Timing PressN(TrainerWindow& window) {
    QLineEdit* field = window.firstWhole;
    field->setFocus();
    return Measure(window, [field] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, "n");
        QApplication::sendEvent(field, &press);
    });
}

// The page is laid out and painted between presses, as between a pupil's
// key strokes, so that each sample measures one press alone.
void Settle(int milliseconds) {
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

Timing MedianOf(const std::function<Timing()>& sample, int samples) {
    std::vector<double> loaded, laidOut;
    for (int i = 0; i < samples; ++i) {
        Settle(150);
        const Timing timing = sample();
        loaded.push_back(timing.loaded);
        laidOut.push_back(timing.laidOut);
    }
    return {bench::Median(loaded), bench::Median(laidOut)};
}

void Report(const char* what, const Timing& timing) {
    std::printf("%-38s %10.1f %10.1f\n", what, timing.loaded, timing.laidOut);
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::Offscreen();
    PrepareApplication();
    QApplication application(argc, argv);
    bench::SilentServices services;
    const int samples = 31;

    TrainerWindow window(services);
    QSignalSpy first(window.View(), &HtmlView::DocumentLoaded);
    window.show();
    first.wait(60000);
    window.startButton->click();
    QApplication::processEvents();

    std::printf("%-38s %10s %10s\n", "median ms from the key press to the", "loaded", "laid out");
    const Timing singleN = MedianOf([&] { return PressN(window); }, samples);
    Report("key n, single mode", singleN);
    int numerator = 1;  // each "=" solves another exercise, so that the page changes
    const Timing singleEquals = MedianOf(
        [&] {
            window.firstNumerator->setText(QString::number(++numerator));
            return Measure(window, [&] { window.equalsButton->click(); });
        },
        samples);
    Report("\"=\", single mode", singleEquals);

    window.printModeGroup->SetItemIndex(1);
    window.clearButton->click();
    QSignalSpy cleared(window.View(), &HtmlView::DocumentLoaded);
    cleared.wait(60000);
    int collected = 0;
    Timing empty, full;
    for (int level : {0, 100, 500, 1000}) {
        while (collected < level) {
            PressN(window);
            ++collected;
        }
        const Timing median = MedianOf([&] { return PressN(window); }, samples);
        collected += samples;
        if (level == 0) empty = median;
        if (level == 1000) full = median;
        const std::string what = "key n, collect mode, " + std::to_string(level) + " collected";
        Report(what.c_str(), median);
    }
    std::printf("1000 collected / empty collection: %.2f to the loaded page (at most 2 wanted), %.2f laid out\n",
                full.loaded / empty.loaded, full.laidOut / empty.laidOut);
    const double single = std::max(singleN.loaded, singleEquals.loaded) / empty.loaded;
    std::printf("single mode / empty collection: %.2f to the loaded page (at most 1.5 wanted)\n", single);
    std::printf("full page loads during the run: %d\n", window.View()->FullLoads());
    return full.loaded <= 2 * empty.loaded && single <= 1.5 ? 0 : 1;
}
