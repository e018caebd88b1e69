// The HTML view: a browser engine that shows only the program's own
// documents. A document is served from memory, byte for byte, through the
// program's own URL scheme (no temporary files, no size limit); scripts,
// remote loads and navigation to other pages are refused.
#pragma once

#include <QByteArray>
#include <QWebEngineView>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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
    // revision names the document for AppendToBody (0: none).
    void ShowDocument(const std::string& bytes, std::uint64_t revision = 0);
    // The document of revision from has grown at the end of its body by
    // fragment, giving revision to. If the page shows revision from, only
    // the fragment is added to it, and the page ends up exactly as if the
    // whole document had been loaded; otherwise document() is loaded in
    // full. The body must hold balanced markup, as solutions do.
    void AppendToBody(std::string_view fragment, std::uint64_t from, std::uint64_t to,
                      std::function<std::string()> document);
    // How many documents were loaded in full, for tests and measurements.
    int FullLoads() const { return fullLoads_; }
    // Turns the view empty ("about:blank").
    void ShowBlank();
    // True while the view shows a document of ours (not the empty page).
    bool HoldsDocument() const { return holdsDocument_; }
    // True from the end of the page's process until the next load starts.
    bool IsPageLost() const { return pageLost_; }
    // True while a load or an addition to the page is under way; Settled()
    // follows when the last one has finished.
    bool Updating() const { return pageLoading_ || pendingAppends_ > 0; }
    // False when the last load of a page failed.
    bool LastLoadSucceeded() const { return lastLoadOk_; }

signals:
    // A load started by ShowDocument or ShowBlank has finished.
    void DocumentLoaded(bool ok);
    // The page's process has ended and took the page with it; nothing is
    // shown until the next ShowDocument or ShowBlank.
    void PageLost();
    // Nothing is under way any more (see Updating).
    void Settled();

private:
    void StartLoad(const QUrl& url);
    void SettleIfIdle();

    int id_;
    quint64 sequence_ = 0;
    QUrl pending_;
    bool pageLoading_ = false;
    bool holdsDocument_ = false;
    bool pageLost_ = false;
    bool lastLoadOk_ = true;
    int pendingAppends_ = 0;
    std::uint64_t revision_ = 0;                // of the document the page shows
    int fullLoads_ = 0;
};

}  // namespace quorvel
