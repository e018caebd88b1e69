#include "view/htmlview.h"

#include "document/document.h"
#include "view/qtext.h"
// Generated from document/page.js, the script the web page runs too: the
// fonts for the pages' handwriting names, and how a body changes in place.
#include "page_script.h"

#include <algorithm>

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <utility>

namespace quorvel {

namespace {

const QByteArray kScheme = "quorvel";

bool IsOwnUrl(const QUrl& url) {
    return url.scheme() == QString::fromLatin1(kScheme) || url == QUrl("about:blank");
}

// Serves each view's current document from memory.
class DocumentSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void Publish(const QString& path, QByteArray bytes) {
        QString key = path.section('/', 1, 1);  // one document per view
        documents_[key] = {path, std::move(bytes)};
    }
    void Withdraw(const QString& viewKey) { documents_.remove(viewKey); }

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QString path = job->requestUrl().path();
        auto it = documents_.constFind(path.section('/', 1, 1));
        if (it == documents_.constEnd() || it->path != path) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(it->bytes);
        buffer->open(QIODevice::ReadOnly);
        job->reply("text/html", buffer);
    }

private:
    struct Document {
        QString path;
        QByteArray bytes;
    };
    QHash<QString, Document> documents_;
};

// Lets no request leave the program.
class OwnPagesOnly : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != QString::fromLatin1(kScheme) && scheme != "about" && scheme != "data") info.block(true);
    }
};

// Refuses every navigation the program did not start itself: a link, a
// form, a refresh or a redirect of a page goes nowhere.
class GuardedPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

    // The one navigation the program is about to start.
    void Expect(const QUrl& url) { expected_ = url; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (!isMainFrame || url != expected_ || !IsOwnUrl(url) || type != NavigationTypeTyped) return false;
        expected_.clear();
        return true;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    QUrl expected_;
};

// A full load leaves the body's text between line breaks: one after
// "<body>" in the header, one before "</body>" and one after it from the
// document's tail (WrapInDocument). A change keeps them so.
const char kAppend[] = "var first=QuorvelPage.append(b,part,'\\n\\n');if(!first)return false;"
                       "QuorvelPage.showFrom(first,0,b);return true;";
// A new page, read from its top as after a full load.
const char kReplace[] = "QuorvelPage.replace(b,part,'\\n\\n');return true;";

// Nothing but the spoken forms.
const char kNothingMore[] = "return true;";

// After a full load of a body that grew: scrolls to the start of its newest part.
const char kScrollPastOld[] = "QuorvelPage.showPast(b,part);return true;";

struct Engine {
    QWebEngineProfile* profile;
    DocumentSchemeHandler* handler;
};

Engine& SharedEngine() {
    static Engine engine = [] {
        // Off the record: nothing is stored on disk.
        auto* profile = new QWebEngineProfile(QCoreApplication::instance());
        auto* handler = new DocumentSchemeHandler(profile);
        profile->installUrlSchemeHandler(kScheme, handler);
        profile->setUrlRequestInterceptor(new OwnPagesOnly(profile));
        profile->setHttpCacheType(QWebEngineProfile::NoCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        QWebEngineScript fonts;
        fonts.setName("quorvel-fonts");
        // The pages name Windows fonts. The engine takes only
        // metric-compatible stand-ins for them, so the handwriting headings
        // would come out in a plain serif: the page script maps the names to
        // the free look-alike, always, also where a system has the named
        // fonts, so that documents and the worksheet tool's PDFs look alike
        // on every system.
        fonts.setSourceCode(QString("(function(){%1QuorvelPage.adoptFonts(document,false);})();")
                                .arg(QString::fromUtf8(kPageScript)));
        fonts.setInjectionPoint(QWebEngineScript::DocumentCreation);
        fonts.setWorldId(QWebEngineScript::ApplicationWorld);
        fonts.setRunsOnSubFrames(false);
        profile->scripts()->insert(fonts);
        return Engine{profile, handler};
    }();
    return engine;
}

int NextViewId() {
    static int next = 0;
    return ++next;
}

}  // namespace

void HtmlView::RegisterScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

HtmlView::HtmlView(QWidget* parent) : QWebEngineView(parent), id_(NextViewId()) {
    auto* page = new GuardedPage(SharedEngine().profile, this);
    QWebEngineSettings* settings = page->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (!pageLoading_ || this->page()->url() != pending_) return;  // an older load
        pageLoading_ = false;
        // Cancels what the page itself has scheduled, such as a refresh to
        // another address, which does not ask acceptNavigationRequest.
        this->page()->triggerAction(QWebEnginePage::Stop);
        lastLoadOk_ = ok;
        std::optional<std::string> scrollPastOld = std::exchange(scrollPastOld_, std::nullopt);
        const quint64 sequence = sequence_;
        emit DocumentLoaded(ok);
        // The blocks' spoken forms, and the newest item of a grown body in
        // view, unless a slot has changed the page since; a failure is no matter.
        if (ok && sequence == sequence_ && (scrollPastOld || !spoken_.empty())) {
            ChangeBody(scrollPastOld.value_or(""), scrollPastOld ? kScrollPastOld : kNothingMore, false);
        }
        SettleIfIdle();
    });
    // The engine's page process can end (killed, out of memory, crashed):
    // the page is then gone, and whoever owns the document loads it anew.
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        ForgetPendingChanges();
        pageLoading_ = false;
        pageLost_ = true;
        emit PageLost();
    });
}

HtmlView::~HtmlView() {
    // The page answers what is still under way while it is deleted: now,
    // while this view is whole, and to no effect.
    ForgetPendingChanges();
    delete page();
    SharedEngine().handler->Withdraw("view" + QString::number(id_));
}

void HtmlView::ShowDocument(const std::string& bytes) {
    spoken_.clear();  // the blocks of another document
    LoadDocument(bytes);
}

void HtmlView::LoadDocument(const std::string& bytes) {
    const QString path = QString("/view%1/%2").arg(id_).arg(++fullLoads_);
    SharedEngine().handler->Publish(path, QByteArray(bytes.data(), qsizetype(bytes.size())));
    holdsDocument_ = true;
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setPath(path);
    StartLoad(url);
}

void HtmlView::LoadBody(const std::string& body, std::size_t newest) {
    body_ = body;
    LoadDocument(WrapInDocument(body_));
    if (newest > 0 && newest < body_.size()) scrollPastOld_ = body_.substr(0, newest);
}

void HtmlView::ShowBody(const std::string& body, std::size_t newest, std::vector<std::string> spoken) {
    spoken_ = std::move(spoken);
    if (!holdsDocument_ || pageLoading_ || pageLost_) {
        LoadBody(body, newest);
        return;
    }
    const BodyChange change = ChangeOfBody(body_, body);
    switch (change.kind) {
        case BodyChangeKind::Same:
            emit DocumentLoaded(true);
            break;
        case BodyChangeKind::Append: {
            const std::size_t old = body_.size();
            body_ = body;
            ChangeBody(std::string_view(body_).substr(old), kAppend);
            break;
        }
        case BodyChangeKind::Replace:
            body_ = body;
            ChangeBody(body_, kReplace);
            break;
        case BodyChangeKind::Load:
            LoadBody(body, newest);
            break;
    }
}

// Runs a change of the page's body in the program's own world (the page's
// scripts stay off): the script sees the page's body as b and the new text
// as part. If the page refuses, the document is loaded in full.
void HtmlView::ChangeBody(std::string_view part, const char* script, bool reloadOnRefusal) {
    // An appended part brings its own blocks; any other change, or the first
    // after a load, leaves every block of the page without its form.
    const std::size_t fresh = script == kAppend ? std::min(CountPreBlocks(part), spoken_.size()) : spoken_.size();
    QJsonArray spoken;
    for (std::size_t i = spoken_.size() - fresh; i < spoken_.size(); ++i) spoken.append(ToQString(spoken_[i]));
    const QString literal = QString::fromUtf8(
        QJsonDocument(QJsonArray{ToQString(part), spoken}).toJson(QJsonDocument::Compact));
    const QString call = QString("(function(part,spoken){%1var b=document.body;if(!b)return false;"
                                 "var done=(function(){%2})();if(done)QuorvelPage.speak(document,spoken);"
                                 "return done;})(%3)")
                             .arg(QString::fromUtf8(kPageScript), QString::fromLatin1(script),
                                  literal.mid(1, literal.size() - 2));
    const quint64 sequence = sequence_;
    auto answered = [this, sequence, reloadOnRefusal](const QVariant& done) {
        if (sequence != sequence_) return;  // the page has been replaced or lost since
        --pendingAppends_;
        if (!reloadOnRefusal) {
            // nothing more to do
        } else if (done.toBool()) {
            emit DocumentLoaded(true);
        } else {
            LoadBody(body_);
        }
        SettleIfIdle();
    };
    ++pendingAppends_;
    page()->runJavaScript(call, QWebEngineScript::ApplicationWorld, answered);
}

void HtmlView::Restore() {
    if (!pageLost_) return;  // something was loaded since
    if (holdsDocument_) {
        LoadBody(body_);
    } else {
        ShowBlank();
    }
}

void HtmlView::ShowBlank() {
    holdsDocument_ = false;
    StartLoad(QUrl("about:blank"));
}

void HtmlView::SettleIfIdle() {
    if (!Updating()) emit Settled();
}

// Answers to changes of a page that is gone or being replaced are void.
void HtmlView::ForgetPendingChanges() {
    ++sequence_;
    pendingAppends_ = 0;
}

void HtmlView::StartLoad(const QUrl& url) {
    ForgetPendingChanges();
    scrollPastOld_.reset();
    pending_ = url;
    pageLoading_ = true;
    pageLost_ = false;
    static_cast<GuardedPage*>(page())->Expect(url);
    load(url);
}

}  // namespace quorvel
