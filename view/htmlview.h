// The HTML view: a browser engine that shows only the program's own
// documents. A document is served from memory, byte for byte, through the
// program's own URL scheme (no temporary files, no size limit); scripts,
// remote loads and navigation to other pages are refused.
#pragma once

#include <QByteArray>
#include <QWebEngineView>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // Shows WrapInDocument(body), whichever way is quickest: a body that
    // grew at its end is added to the page, another body replaces the
    // page's body in place, and where the page cannot take that (none of
    // ours, still loading, lost, or a body with tags of a whole page such as
    // a help page brings) the document is loaded in full. Either way the
    // page reads and serialises exactly as a full load would leave it. Showing the body
    // the page shows already only reports it loaded.
    // In a body loaded in full, the view shows the part from newest on.
    // The page's n-th pre block speaks the n-th of spoken to a screen reader
    // (QuorvelPage.speak), once it shows the body; the document's bytes
    // stay as they are.
    void ShowBody(const std::string& body, std::size_t newest = 0, std::vector<std::string> spoken = {});
    // Loads the body or the empty page anew after the page was lost.
    void Restore();
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
    void ForgetPendingChanges();
    void SettleIfIdle();
    // Publishes bytes and loads them into the page.
    void LoadDocument(const std::string& bytes);
    void LoadBody(const std::string& body, std::size_t newest = 0);
    // Runs script on the page with part, and gives the page's blocks their
    // spoken forms if it succeeds; if reloadOnRefusal, reports the change
    // done or loads the body in full when the page refuses it.
    void ChangeBody(std::string_view part, const char* script, bool reloadOnRefusal = true);

    int id_;
    quint64 sequence_ = 0;
    QUrl pending_;
    bool pageLoading_ = false;
    bool holdsDocument_ = false;
    bool pageLost_ = false;
    bool lastLoadOk_ = true;
    int pendingAppends_ = 0;
    std::string body_;              // the body the page shows or is loading
    std::vector<std::string> spoken_;  // its blocks' spoken forms
    std::optional<std::string> scrollPastOld_;  // the part of the loading body before its newest part
    int fullLoads_ = 0;
};

}  // namespace quorvel
