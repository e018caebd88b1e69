// The HTML view: a browser engine that shows only the program's own
// documents. A document is served from memory, byte for byte, through the
// program's own URL scheme (no temporary files, no size limit); scripts,
// remote loads and navigation to other pages are refused.
#pragma once

#include <QByteArray>
#include <QWebEngineView>
#include <string>

class QPrinter;

namespace quorvel {

class HtmlView : public QWebEngineView {
    Q_OBJECT
public:
    // Registers the URL scheme; must run before the QApplication exists.
    static void RegisterScheme();

    explicit HtmlView(QWidget* parent = nullptr);
    ~HtmlView() override;

    // Shows a complete document; its bytes reach the engine unchanged.
    void ShowDocument(const std::string& bytes);
    // Turns the view empty ("about:blank").
    void ShowBlank();
    // True while the view shows a document of ours (not the empty page).
    bool HoldsDocument() const { return holdsDocument_; }
    // True while a load started here has not finished yet.
    bool IsLoading() const { return loading_; }

signals:
    // A load started by ShowDocument or ShowBlank has finished.
    void DocumentLoaded(bool ok);

private:
    void StartLoad(const QUrl& url);

    int id_;
    quint64 sequence_ = 0;
    QUrl pending_;
    bool loading_ = false;
    bool holdsDocument_ = false;
};

}  // namespace quorvel
