#include "document/htmlview.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

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

// Refuses every navigation the program did not start itself.
class GuardedPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (!isMainFrame) return false;
        return IsOwnUrl(url) && type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
};

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
        if (!loading_ || this->page()->url() != pending_) return;  // an older load
        loading_ = false;
        emit DocumentLoaded(ok);
    });
}

HtmlView::~HtmlView() { SharedEngine().handler->Withdraw("view" + QString::number(id_)); }

void HtmlView::ShowDocument(const std::string& bytes) {
    const QString path = QString("/view%1/%2").arg(id_).arg(++sequence_);
    SharedEngine().handler->Publish(path, QByteArray(bytes.data(), qsizetype(bytes.size())));
    holdsDocument_ = true;
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setPath(path);
    StartLoad(url);
}

void HtmlView::ShowBlank() {
    holdsDocument_ = false;
    StartLoad(QUrl("about:blank"));
}

void HtmlView::StartLoad(const QUrl& url) {
    pending_ = url;
    loading_ = true;
    load(url);
}

}  // namespace quorvel
