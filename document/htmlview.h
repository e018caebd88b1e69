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
    // Shows a complete document that may have grown at the end of its body:
    // then only the new part is added to the page, which ends up exactly as
    // if the whole document had been loaded. Otherwise the same as
    // ShowDocument. The body must hold balanced markup, as solutions do.
    void UpdateDocument(const std::string& bytes);
    // How many documents were loaded in full, for tests and measurements.
    int FullLoads() const { return fullLoads_; }
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
    void AppendToBody(const std::string& fragment);

    int id_;
    quint64 sequence_ = 0;
    QUrl pending_;
    bool loading_ = false;
    bool holdsDocument_ = false;
    std::string shown_;  // the document the page was built from
    int fullLoads_ = 0;
};

}  // namespace quorvel
