#include "view/printpreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QPdfDocument>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <algorithm>

#include "view/htmlview.h"

namespace quorvel {

namespace {

// A PDF that has not come back by then is not coming.
constexpr int kPreparationLimitMs = 120000;
// Space around and between the pages in the preview.
constexpr int kGap = 16;
// Printing renders a page no finer than this: an A4 page takes 35 MB then.
constexpr double kMaxPrintDpi = 300;

// One preparation. A child of the view, so that it ends with the view.
class PdfJob : public QObject {
public:
    PdfJob(HtmlView& view, std::function<void(std::optional<QByteArray>)> done)
        : QObject(&view), view_(view), done_(std::move(done)) {
        connect(view.page(), &QWebEnginePage::renderProcessTerminated, this, [this] { Finish(std::nullopt); });
        connect(&view, &HtmlView::Settled, this, &PdfJob::Start);
        QTimer::singleShot(0, this, &PdfJob::Start);
        QTimer::singleShot(kPreparationLimitMs, this, [this] { Finish(std::nullopt); });
    }

private:
    void Start() {
        if (started_ || view_.Updating()) return;  // Settled() follows
        started_ = true;
        // Without its page process the engine would never answer.
        if (!view_.LastLoadSucceeded() || view_.page()->renderProcessPid() == 0) {
            Finish(std::nullopt);
            return;
        }
        QPointer<PdfJob> self(this);
        view_.page()->printToPdf(
            [self](const QByteArray& pdf) {
                if (self) self->Finish(pdf.isEmpty() ? std::nullopt : std::optional<QByteArray>(pdf));
            },
            PrintLayout());
    }

    void Finish(std::optional<QByteArray> pdf) {
        if (finished_) return;
        finished_ = true;
        auto done = std::move(done_);
        deleteLater();
        done(std::move(pdf));  // may open a dialog; nothing of this object is used after it
    }

    HtmlView& view_;
    std::function<void(std::optional<QByteArray>)> done_;
    bool started_ = false;
    bool finished_ = false;
};

}  // namespace

QPageLayout PrintLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

void PreparePdf(HtmlView& view, std::function<void(std::optional<QByteArray>)> done) {
    new PdfJob(view, std::move(done));
}

bool PrintPdf(QPdfDocument& document, QPrinter& printer) {
    const int count = document.pageCount();
    if (count <= 0) return false;
    int first = 0;
    int last = count - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage() - 1, 0, count - 1);
        last = std::clamp(printer.toPage() - 1, first, count - 1);
    }
    printer.setFullPage(true);  // the PDF's pages bring their own margins
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect paper = painter.viewport();
    const double scale = std::min(1.0, kMaxPrintDpi / printer.resolution());
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) return false;
        const QSizeF pixels = document.pagePointSize(page).scaled(QSizeF(paper.size()) * scale, Qt::KeepAspectRatio);
        const QImage image = document.render(page, pixels.toSize());
        if (image.isNull()) return false;
        painter.drawImage(QRectF(paper.topLeft(), QSizeF(image.size()) / scale), image);
    }
    return painter.end();
}

// ---- the pages ----

PdfPages::PdfPages(QPdfDocument& document, QWidget* parent) : QAbstractScrollArea(parent), document_(document) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);
    connect(&document, &QPdfDocument::statusChanged, this, &PdfPages::Relayout);
}

QSize PdfPages::PageSize() const {
    const QSizeF points = document_.pageCount() > 0 ? document_.pagePointSize(0) : QSizeF(595, 842);
    const int width = std::max(100, viewport()->width() - 2 * kGap);
    return QSize(width, qRound(width * points.height() / std::max(1.0, points.width())));
}

QRect PdfPages::PageRect(int page) const {
    const QSize size = PageSize();
    return QRect(QPoint(kGap, kGap + page * (size.height() + kGap) - verticalScrollBar()->value()), size);
}

int PdfPages::CurrentPage() const {
    const int count = document_.pageCount();
    if (count <= 0) return -1;
    const int stride = PageSize().height() + kGap;
    return std::clamp((verticalScrollBar()->value() + viewport()->height() / 2) / stride, 0, count - 1);
}

void PdfPages::Relayout() {
    const QSize size = PageSize();
    const int total = kGap + document_.pageCount() * (size.height() + kGap);
    verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, size.height() / 20));
    cache_.clear();
    viewport()->update();
    scrollContentsBy(0, 0);
}

void PdfPages::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void PdfPages::scrollContentsBy(int, int) {
    viewport()->update();
    const int page = CurrentPage();
    if (page != current_) {
        current_ = page;
        emit CurrentPageChanged(page);
    }
}

void PdfPages::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const int count = document_.pageCount();
    if (count <= 0) return;
    const QSize size = PageSize();
    const int stride = size.height() + kGap;
    const int top = verticalScrollBar()->value();
    const int first = std::clamp((top - kGap) / stride, 0, count - 1);
    const int last = std::clamp((top + viewport()->height()) / stride, first, count - 1);
    const qreal ratio = devicePixelRatioF();
    // Only the pages in sight are kept.
    QHash<int, QImage> kept;
    for (int page = first; page <= last; ++page) {
        const QRect rect = PageRect(page);
        if (!rect.intersects(viewport()->rect())) continue;
        QImage image = cache_.value(page);
        if (image.isNull()) {
            image = document_.render(page, (QSizeF(size) * ratio).toSize());
            image.setDevicePixelRatio(ratio);
        }
        painter.fillRect(rect, Qt::white);
        painter.drawImage(rect.topLeft(), image);
        kept.insert(page, image);
    }
    cache_ = std::move(kept);
    for (int page : cache_.keys()) emit PageShown(page);
}

// ---- the window ----

PrintPreview::PrintPreview(const QByteArray& pdf, QWidget* parent)
    : QDialog(parent), pdf_(pdf), document_(new QPdfDocument(this)) {
    setWindowTitle("Druckvorschau");
    buffer_.setData(pdf_);
    buffer_.open(QIODevice::ReadOnly);
    document_->load(&buffer_);

    pages_ = new PdfPages(*document_, this);
    indicator_ = new QLabel(this);
    auto* print = new QPushButton("Drucken", this);
    auto* save = new QPushButton("Als PDF speichern", this);
    auto* close = new QPushButton("Schließen", this);
    print->setDefault(true);
    pages_->setFocus();  // the page keys scroll from the start

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(indicator_);
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    connect(print, &QPushButton::clicked, this, &PrintPreview::PrintRequested);
    connect(save, &QPushButton::clicked, this, &PrintPreview::SaveRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(pages_, &PdfPages::CurrentPageChanged, this, &PrintPreview::ShowIndicator);
    connect(document_, &QPdfDocument::statusChanged, this, [this] { ShowIndicator(pages_->CurrentPage()); });
    print->setEnabled(IsValid());
    save->setEnabled(IsValid());
    connect(document_, &QPdfDocument::statusChanged, this, [this, print, save] {
        print->setEnabled(IsValid());
        save->setEnabled(IsValid());
    });
    ShowIndicator(pages_->CurrentPage());

    // A page as wide as it reads well, as high as the screen allows.
    const QScreen* screen = parent ? parent->screen() : this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(760, available.width()), std::max(400, available.height() * 9 / 10));
}

PrintPreview::~PrintPreview() { document_->close(); }

bool PrintPreview::IsValid() const {
    return document_->status() == QPdfDocument::Status::Ready && document_->pageCount() > 0;
}

int PrintPreview::PageCount() const { return document_->pageCount(); }

QString PrintPreview::Indicator() const { return indicator_->text(); }

void PrintPreview::ShowIndicator(int page) {
    indicator_->setText(QString("Seite %1 / %2").arg(std::max(0, page) + 1).arg(std::max(0, PageCount())));
}

}  // namespace quorvel
