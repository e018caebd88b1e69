// The window tests run offscreen against the real window and browser engine.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/startup.h"

namespace {

// The offscreen platform warns about window hints it cannot honour.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("propagateSizeHints")) return;
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(QuietMessages);
    if (standard) standard(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false;qt.qpa.*=false");
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::PrepareApplication();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
