// Printing the page the view shows. The engine writes the page as a PDF (A4,
// text as text); the preview window shows that PDF page by page, rendering
// only the pages in sight at screen resolution, and printing sends one page
// at a time to the printer. Nothing grows with the number of pages but the
// PDF's own bytes.
#pragma once

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <functional>
#include <optional>

class QLabel;
class QPdfDocument;
class QPrinter;

namespace quorvel {

class HtmlView;

// The layout of a printed page: A4 portrait with margins of 15 mm.
QPageLayout PrintLayout();

// Waits until the view's page has finished loading, then has the engine
// write it as a PDF and calls done with its bytes, or with nothing when the
// page did not load, the engine's page process ended or no PDF came back.
// done is called exactly once, later, from the event loop, and never once
// the view is gone.
void PreparePdf(HtmlView& view, std::function<void(std::optional<QByteArray>)> done);

// Sends the pages of document in the printer's page range to printer, one
// page at a time, rendered at the printer's resolution but no finer than
// 300 dpi, so that memory stays small. False if the printer could not print.
bool PrintPdf(QPdfDocument& document, QPrinter& printer);

// The pages of a PDF one below the other, each as wide as the view; only the
// pages in sight are rendered, and only they are kept.
class PdfPages : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PdfPages(QPdfDocument& document, QWidget* parent = nullptr);
    // The page in the middle of the view (0-based).
    int CurrentPage() const;
    // How many rendered pages are kept at the moment.
    int CachedPages() const { return int(cache_.size()); }
    void Relayout();

signals:
    // A page has been drawn on the screen.
    void PageShown(int page);
    void CurrentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize PageSize() const;  // in device-independent pixels
    QRect PageRect(int page) const;

    QPdfDocument& document_;
    QHash<int, QImage> cache_;
    int current_ = -1;
};

// The print preview window ("Druckvorschau") of a PDF: the pages, a page
// indicator, and the buttons "Drucken", "Als PDF speichern" and "Schließen".
class PrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreview(const QByteArray& pdf, QWidget* parent = nullptr);
    ~PrintPreview() override;

    // False if the bytes are no readable PDF.
    bool IsValid() const;
    int PageCount() const;
    const QByteArray& Pdf() const { return pdf_; }
    PdfPages* Pages() const { return pages_; }
    QPdfDocument& Document() const { return *document_; }
    // The page indicator's text, "Seite 1 / 3".
    QString Indicator() const;

signals:
    // "Drucken" was clicked; the owner asks for a printer and prints Document().
    void PrintRequested();
    // "Als PDF speichern" was clicked; the owner asks for a file and writes Pdf().
    void SaveRequested();

private:
    void ShowIndicator(int page);

    QByteArray pdf_;
    QBuffer buffer_;
    QPdfDocument* document_;
    PdfPages* pages_;
    QLabel* indicator_;
};

}  // namespace quorvel
