// The view shows only our own pages, and long sessions lose nothing.
#include <gtest/gtest.h>
#include <signal.h>

#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "app/radiogroup.h"
#include "view/htmlview.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

TEST(OwnPagesOnly, NoScriptRunsNoRequestLeavesAndLinksDoNotNavigate) {
    // A listener on this machine notices any request the page would make.
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&listener, &QTcpServer::newConnection, [&] { ++connections; });
    const std::string outside = "http://127.0.0.1:" + std::to_string(listener.serverPort());

    Trainer t;
    HtmlView& view = *t.window->View();
    const std::string body = "<meta http-equiv=\"refresh\" content=\"0;url=about:blank\">"
                             "<script>document.title='ran'; document.body.setAttribute('data-ran','1');</script>"
                             "<img id=\"picture\" src=\"" + outside + "/bild.png\">"
                             "<p><a id=\"out\" style=\"font-size:48px\" href=\"" + outside + "/\">Hinaus</a></p>";
    QSignalSpy navigated(&view, &QWebEngineView::urlChanged);
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage(body); }));
    navigated.clear();
    // Whatever the page would do by itself has had its moment.
    EXPECT_FALSE(navigated.wait(300)) << "the page refreshed itself elsewhere";
    EXPECT_EQ(view.title(), "Quorvel");
    EXPECT_EQ(RunScript(view, "document.body.hasAttribute('data-ran')").toBool(), false);
    EXPECT_EQ(connections, 0) << "the picture was not fetched";

    const QUrl shown = view.url();
    const QJsonObject box =
        QJsonDocument::fromJson(RunScript(view, "JSON.stringify(document.getElementById('out').getBoundingClientRect())")
                                    .toString()
                                    .toUtf8())
            .object();
    const QPoint centre(int(box["x"].toDouble() + box["width"].toDouble() / 2),
                        int(box["y"].toDouble() + box["height"].toDouble() / 2));
    ASSERT_GT(box["width"].toDouble(), 0);
    QWidget* surface = view.focusProxy() ? view.focusProxy() : &view;
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_FALSE(navigated.wait(500)) << "the link was followed";
    EXPECT_EQ(view.url(), shown);
    EXPECT_TRUE(PageText(view).contains("Hinaus"));
    EXPECT_EQ(connections, 0);
}

// The engine's page process dies: the collection comes back in a new page,
// grows on, and "Drucken" gets a living page.
TEST(PageLost, TheCollectionComesBackAndGrowsOn) {
    Trainer t;
    t.Start();
    HtmlView& view = *t.window->View();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    const qint64 pid = view.page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(t.LoadAfter([&] { ::kill(pid_t(pid), SIGKILL); }));
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(PageText(view).count("Aufgabe "), 4);
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));

    ASSERT_TRUE(t.LoadAfter([&] { ::kill(pid_t(view.page()->renderProcessPid()), SIGKILL); }));
    QTest::mouseClick(t.Button("Button8"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !t.window->PreparingPrint(); }, 60000));
    EXPECT_EQ(t.services.previews, 1);
    EXPECT_TRUE(t.services.messages.isEmpty());
}

TEST(LongSession, TwoThousandCollectedSolutionsAreAllSaved) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    QLineEdit* field = t.Field("Eg1");
    field->setFocus();
    for (int i = 0; i < 2000; ++i) {
        ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(field, 'n'); })) << i;
    }
    EXPECT_EQ(t.Field("Enr")->text(), "223 b");  // 1 a, 1 b, ... nine to a number

    QTemporaryDir dir;
    t.services.saveAnswer = dir.filePath("sammlung.html");
    QTest::mouseClick(t.Button("Button9"), Qt::LeftButton);
    QFile file(*t.services.saveAnswer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_EQ(saved.count("Aufgabe "), 2000);
    EXPECT_EQ(saved.count("<div style=\"page-break-before:always\"></div>"), 1000);
    EXPECT_TRUE(saved.contains("Aufgabe 223 b) [n e]"));
    EXPECT_TRUE(saved.endsWith("</body>\r\n</html>\r\n"));
    EXPECT_TRUE(PageText(*t.window->View()).contains("Aufgabe 223 b)"));
}

}  // namespace
}  // namespace quorvel::testing
