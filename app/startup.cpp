#include "app/startup.h"

#include <unistd.h>

#include <QCoreApplication>

#include "document/htmlview.h"

namespace quorvel {

void PrepareApplication() {
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setApplicationName("Quorvel");
    HtmlView::RegisterScheme();
}

}  // namespace quorvel
