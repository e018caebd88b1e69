// The window tests run offscreen against the real window and browser engine.
#include <gtest/gtest.h>

#include <QApplication>

#include "view/startup.h"

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform warns about window hints it cannot honour.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("propagateSizeHints")) return;
    if (context.category && QByteArray(context.category) == "qt.webenginecontext") return;
    if (standardHandler) standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    standardHandler = qInstallMessageHandler(QuietMessages);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
    quorvel::UseOffscreenEngine();
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false;qt.qpa.*=false");
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::PrepareApplication();
    QApplication application(argc, argv);
    quorvel::InstallGermanTranslations(application);
    return RUN_ALL_TESTS();
}
