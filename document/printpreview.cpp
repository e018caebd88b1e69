#include "document/printpreview.h"

#include <QEventLoop>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "document/htmlview.h"

namespace quorvel {

bool PrintView(HtmlView& view, QPrinter& printer) {
    bool ok = false;
    QEventLoop loop;
    auto connection = QObject::connect(&view, &QWebEngineView::printFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    view.print(&printer);
    loop.exec();
    QObject::disconnect(connection);
    return ok;
}

bool RunPrintPreview(QWidget* parent, HtmlView& view) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printer.isValid()) printer.setOutputFormat(QPrinter::PdfFormat);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle("Druckvorschau");
    bool ok = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { ok = PrintView(view, *target) && ok; });
    dialog.exec();
    return ok;
}

}  // namespace quorvel
