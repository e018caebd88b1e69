// quorvel-sheet writing PDFs: first a class set (two groups of 12
// exercises, worksheet, answers, error key and worked solutions of each:
// --gruppen 2 --alles), then a worksheet ("arbeitsblatt") of 1,000 and
// 10,000 exercises. For each, the time from the start of the tool to its
// end, and the peak memory of its process tree (the tool and the engine's
// helper processes, proportional set size, sampled every 100 ms). Time per
// exercise should not grow with the count: the program exits non-zero if
// 10,000 exercises take more than 15 times as long as 1,000.
// Usage: sheet_bench [--tool=PROGRAM] [counts...], 1000 and 10000 by default;
// --tool measures another build of quorvel-sheet, for a comparison.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_support.h"

namespace {

struct Run {
    int count = 0;
    bool ok = false;
    double seconds = 0;
    double peakMb = 0;
    qint64 pdfBytes = 0;
    int pages = 0;
};

Run Measure(const QString& program, int count, const QString& pdf, const QStringList& sheet) {
    Run run{count};
    QFile::remove(pdf);
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    tool.start(program, QStringList{"--from", "1 a", "-n", QString::number(count)} + sheet + QStringList{"--pdf", "-o", pdf});
    if (!tool.waitForStarted()) return run;
    while (!tool.waitForFinished(100)) run.peakMb = std::max(run.peakMb, quorvel::bench::TreePssMb(tool.processId()));
    run.seconds = double(clock.nsecsElapsed()) / 1e9;
    run.ok = tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    QFile file(pdf);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        run.pdfBytes = bytes.size();
        run.pages = int(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page(?!s)")));
    }
    return run;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QString program = QUORVEL_SHEET;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith("--tool=")) {
            program = arg.mid(7);
        } else {
            counts.push_back(std::max(1, arg.toInt()));
        }
    }
    if (counts.empty()) counts = {1000, 10000};
    QTemporaryDir dir;
    // A class set: per group a page each of worksheet, answers and error
    // key, and six pages of worked solutions.
    const Run set = Measure(program, 12, dir.filePath("satz.pdf"), {"--gruppen", "2", "--alles"});
    std::printf("class set, 2 groups x 12 exercises, --alles: %s after %.2f s, process tree peak %.0f MB, "
                "%d pages, PDF %.0f kB\n",
                set.ok ? "PDF" : "FAILED", set.seconds, set.peakMb, set.pages, double(set.pdfBytes) / 1024);
    std::fflush(stdout);
    std::vector<Run> runs;
    for (int count : counts) {
        const Run run = Measure(program, count, dir.filePath("blatt.pdf"), {"--sheet", "arbeitsblatt"});
        std::printf("%6d exercises: %s after %.1f s (%.2f ms per exercise), process tree peak %.0f MB, "
                    "%d pages, PDF %.0f kB\n",
                    run.count, run.ok ? "PDF" : "FAILED", run.seconds, run.seconds * 1000 / run.count, run.peakMb,
                    run.pages, double(run.pdfBytes) / 1024);
        std::fflush(stdout);
        runs.push_back(run);
    }
    bool ok = set.ok && set.pages == 18;
    for (const Run& run : runs) ok = ok && run.ok && run.pages == (run.count + 11) / 12;  // 12 to a page
    if (runs.size() == 2 && runs[0].count == 1000 && runs[1].count == 10000) {
        const double ratio = runs[1].seconds / runs[0].seconds;
        std::printf("10000 exercises took %.1f times as long as 1000 (at most 15 wanted)\n", ratio);
        ok = ok && ratio <= 15;
    }
    return ok ? 0 : 1;
}
