// What the window measurements share: quiet dialogs and an offscreen engine.
#pragma once

#include <QElapsedTimer>
#include <QtGlobal>
#include <algorithm>
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

inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

}  // namespace quorvel::bench
