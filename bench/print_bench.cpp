// "Drucken" with 100 collected solutions (50 pages), offscreen: the time from
// the click to the preview showing its first page, and how far the memory of
// the whole process tree (this process and the engine's helper processes,
// proportional set size) rises above what it was before the click, while the
// PDF is made and while the preview is open and scrolled through every page.
// Usage: print_bench [previews], 3 by default.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include <unistd.h>

#include "app/trainer_window.h"
#include "app/radiogroup.h"
#include "view/startup.h"
#include "bench_support.h"
#include "view/htmlview.h"
#include "view/printpreview.h"

using namespace quorvel;

namespace {

// The processor time the process tree has used, in seconds (user and system).
double TreeCpuSeconds() {
    long ticks = 0;
    for (const QString& pid : bench::ProcessTree()) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12) ticks += fields[11].toLong() + fields[12].toLong();
    }
    return double(ticks) / double(sysconf(_SC_CLK_TCK));
}

// Shows the real preview window and records what it costs.
class MeasuringServices : public bench::SilentServices {
public:
    bool ShowPrintPreview(QWidget* parent, const QByteArray& pdf) override {
        pdfMs = double(clock.nsecsElapsed()) / 1e6;
        pdfCpu = TreeCpuSeconds() - startCpu;
        PrintPreview preview(pdf, parent);
        if (!preview.IsValid()) return false;
        QSignalSpy shown(preview.Pages(), &PdfPages::PageShown);
        preview.show();
        if (shown.isEmpty()) shown.wait(60000);
        firstPageMs = double(clock.nsecsElapsed()) / 1e6;
        pages = preview.PageCount();
        pdfBytes = pdf.size();
        Sample();
        // Page by page to the end, each step drawn before the next.
        QScrollBar* bar = preview.Pages()->verticalScrollBar();
        while (bar->value() < bar->maximum()) {
            QSignalSpy drawn(preview.Pages(), &PdfPages::PageShown);
            bar->setValue(bar->value() + bar->pageStep());
            if (drawn.isEmpty()) drawn.wait(10000);
            Sample();
        }
        lastIndicator = preview.Indicator();
        return true;
    }
    void Sample() { peakMb = std::max(peakMb, bench::TreePssMb()); }

    QElapsedTimer clock;
    double startCpu = 0;
    double pdfMs = 0;  // until the PDF was there
    double pdfCpu = 0;  // processor time used for it
    double firstPageMs = 0;
    double peakMb = 0;
    int pages = 0;
    qsizetype pdfBytes = 0;
    QString lastIndicator;
};

void PressN(TrainerWindow& window) {
    QSignalSpy loaded(window.View(), &HtmlView::DocumentLoaded);
    window.firstWhole->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, "n");
    QApplication::sendEvent(window.firstWhole, &press);
    if (loaded.isEmpty()) loaded.wait(60000);
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::Offscreen();
    PrepareApplication();
    QApplication application(argc, argv);
    MeasuringServices services;
    constexpr int kSolutions = 100;
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    TrainerWindow window(services);
    QSignalSpy first(window.View(), &HtmlView::DocumentLoaded);
    window.show();
    first.wait(60000);
    window.startButton->click();
    window.printModeGroup->SetItemIndex(1);  // collect; the counter is 1 now
    window.clearButton->click();               // the counter back to 0
    QSignalSpy cleared(window.View(), &HtmlView::DocumentLoaded);
    cleared.wait(60000);
    for (int i = 0; i < kSolutions; ++i) PressN(window);

    std::vector<double> firstPage;
    double growth = 0;
    for (int sample = 0; sample < samples; ++sample) {
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 500) QApplication::processEvents(QEventLoop::AllEvents, 10);
        const double before = bench::TreePssMb();
        services.peakMb = before;
        QTimer sampler;  // also while the engine makes the PDF
        QObject::connect(&sampler, &QTimer::timeout, [&] { services.Sample(); });
        sampler.start(100);
        services.startCpu = TreeCpuSeconds();
        services.clock.start();
        window.printButton->click();
        while (window.PreparingPrint()) QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        sampler.stop();
        firstPage.push_back(services.firstPageMs);
        growth = std::max(growth, services.peakMb - before);
        std::printf("sample %d: PDF after %.0f ms (%.2f s processor time), first page after %.0f ms; "
                    "process tree %.0f MB before, peak %.0f MB while open\n",
                    sample + 1, services.pdfMs, services.pdfCpu, services.firstPageMs, before, services.peakMb);
    }
    const double median = bench::Median(firstPage);
    std::printf("%d solutions collected: %d pages, PDF %.0f kB, scrolled to \"%s\"\n", kSolutions, services.pages,
                double(services.pdfBytes) / 1024, qPrintable(services.lastIndicator));
    std::printf("preview: first page after %.0f ms (median, at most 3000 wanted), "
                "memory growth %.0f MB (largest, at most 300 wanted)\n",
                median, growth);
    return median <= 3000 && growth <= 300 ? 0 : 1;
}
