// What the window measurements share: quiet dialogs and an offscreen engine.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtGlobal>
#include <algorithm>
#include <map>
#include <vector>

#include "app/platform.h"
#include "view/startup.h"

namespace quorvel::bench {

// Answers every dialog at once, so that nothing waits for a person.
class SilentServices : public PlatformServices {
public:
    void ShowMessage(QWidget*, const QString&) override {}
    void ShowError(QWidget*, const QString&) override {}
    bool AskYesNo(QWidget*, const QString&) override { return true; }
    std::optional<QString> AskSaveFileName(QWidget*, const SaveRequest&) override { return std::nullopt; }
    bool ShowPrintPreview(QWidget*, const QByteArray&) override { return true; }
};

inline void Offscreen() {
    UseOffscreenEngine();
    qputenv("QT_LOGGING_RULES", "qt.*=false");
}

// The PSS of a process in kB, 0 if it is gone.
inline long PssKb(const QString& pid) {
    QFile file("/proc/" + pid + "/smaps_rollup");
    if (!file.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("Pss:")) return line.mid(4).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// The process root (this process by default) and all its descendants.
inline std::vector<QString> ProcessTree(qint64 root = QCoreApplication::applicationPid()) {
    std::multimap<QString, QString> children;  // parent -> child
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = stat.readAll();
        const qsizetype end = text.lastIndexOf(')');  // the name may hold blanks
        if (end < 0) continue;
        const QList<QByteArray> fields = text.mid(end + 2).split(' ');
        if (fields.size() > 1) children.emplace(QString::fromLatin1(fields[1]), pid);
    }
    std::vector<QString> tree{QString::number(root)};
    for (std::size_t i = 0; i < tree.size(); ++i) {
        auto [from, to] = children.equal_range(tree[i]);
        for (auto it = from; it != to; ++it) tree.push_back(it->second);
    }
    return tree;
}

// The PSS of the process tree, in MB.
inline double TreePssMb(qint64 root = QCoreApplication::applicationPid()) {
    long total = 0;
    for (const QString& pid : ProcessTree(root)) total += PssKb(pid);
    return double(total) / 1024;
}

inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

}  // namespace quorvel::bench
