// The document reaches the view through ShowPage, byte for byte.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "app/radiogroup.h"
#include "view/htmlview.h"
#include "fraction/cp1252.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

TEST(ShowPage, SingleModeReplacesThePageInTheView) {
    Trainer t;
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage("<p>eins</p>"); }));
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage("<p>zwei \x97 f\xFCnf</p>"); }));
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(WrapInDocument("<p>zwei \x97 f\xFCnf</p>")));
    // The bar byte and the umlaut are read as Windows-1252.
    EXPECT_TRUE(PageText(*t.window->View()).contains(QString::fromUtf8("zwei — fünf")));
    EXPECT_EQ(t.window->View()->title(), "Quorvel");
}

TEST(ShowPage, CollectModeGathersThePagesWithBreaks) {
    Trainer t;
    auto* mode = t.Find<RadioGroup>("RadioGroup3");
    ASSERT_TRUE(t.LoadAfter([&] { mode->SetItemIndex(1); }));  // the empty refresh counts
    for (const char* text : {"<p>W1</p>", "<p>W2</p>", "<p>W3</p>"}) {
        ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage(text); }));
    }
    const std::string body =
        "<p>W1</p>" + PageBreakMarker() + "<p>W2</p><p>W3</p>" + PageBreakMarker();
    EXPECT_EQ(t.window->Document().Text(), body);
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(WrapInDocument(body)));
    const QString text = PageText(*t.window->View());
    EXPECT_TRUE(text.contains("W1") && text.contains("W3"));
}

TEST(ShowPage, ADocumentOfMoreThanThreeMegabytesLoads) {
    Trainer t;
    std::string body;
    int lines = 0;
    while (body.size() < 3'300'000) body += "<p>Zeile " + std::to_string(++lines) + " \x97\x97\x97</p>\r\n";
    body += "<p id=\"end\">Ende</p>";
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage(body); }));
    const QString text = PageText(*t.window->View());
    EXPECT_TRUE(text.contains(QString("Zeile %1").arg(lines)));
    EXPECT_TRUE(text.endsWith("Ende"));
}

TEST(View, EmptyPageAfterClearingHoldsTheEmptyDocument) {
    Trainer t;
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage(""); }));
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(WrapInDocument("")));
    EXPECT_TRUE(PageText(*t.window->View()).trimmed().isEmpty());
}

}  // namespace
}  // namespace quorvel::testing

namespace quorvel::testing {
namespace {

TEST(IncrementalUpdate, CollectedPageEqualsTheWrappedBodyWithoutReloading) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    HtmlView& view = *t.window->View();
    const int loadsBefore = view.FullLoads();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(view.FullLoads(), loadsBefore) << "solutions were added, not reloaded";
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));

    // A help page in the collection is loaded in full; solutions after it are added again.
    ASSERT_TRUE(t.ClickAndLoad("Button7"));
    EXPECT_EQ(view.FullLoads(), loadsBefore + 1);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(view.FullLoads(), loadsBefore + 1);
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));

    // Clearing shrinks the body: a full load of the new document.
    t.services.yes = true;
    ASSERT_TRUE(t.ClickAndLoad("Button10"));
    EXPECT_EQ(t.services.questions.size(), 1);
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));
    const QString text = PageText(view);
    EXPECT_TRUE(text.contains("Aufgabe 1 i)"));
    EXPECT_FALSE(text.contains("Aufgabe 1 h)"));
}

// In collect mode the newest solution is in view, at its start, whether
// it was added to the page or the page was loaded in full after "Start".
TEST(IncrementalUpdate, TheNewestCollectedSolutionIsInView) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    HtmlView& view = *t.window->View();
    // The top of the last heading of a solution, in the view's coordinates.
    const QString newestTop =
        "var d=[].filter.call(document.querySelectorAll('div'),function(e){return e.textContent==='Addition';});"
        "var y=d[d.length-1].getBoundingClientRect().top;y>=0&&y<innerHeight/2&&scrollY>0";
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_TRUE(RunScript(view, newestTop).toBool()) << "added to the page";

    QTest::mouseClick(t.Button("Button5"), Qt::LeftButton);
    t.Start();  // the empty page; the next solution loads the whole collection
    QSignalSpy settled(&view, &HtmlView::Settled);
    t.Type(t.Field("Eg1"), "n");
    ASSERT_TRUE(settled.wait(10000));
    while (view.Updating()) ASSERT_TRUE(settled.wait(10000));
    EXPECT_TRUE(RunScript(view, newestTop).toBool()) << "loaded in full";
}

TEST(IncrementalUpdate, SingleModeReplacesTheBodyInPlaceAsAFullLoadWould) {
    Trainer t;
    t.Start();
    HtmlView& view = *t.window->View();
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));  // onto the empty page: loaded in full
    const int loadsBefore = view.FullLoads();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(view.FullLoads(), loadsBefore);
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));
    ASSERT_TRUE(t.ClickAndLoad("Button7"));  // a help page brings a whole page's tags
    EXPECT_EQ(view.FullLoads(), loadsBefore + 1);
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(view.FullLoads(), loadsBefore + 2);
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));
}

TEST(IncrementalUpdate, APageThatIsNotAsExpectedIsLoadedInFull) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    HtmlView& view = *t.window->View();
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    // Something else changed the end of the page: the addition is refused.
    RunScript(view, "document.body.appendChild(document.createElement('hr')); true");
    const int loadsBefore = view.FullLoads();
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    EXPECT_EQ(view.FullLoads(), loadsBefore + 1);
    EXPECT_EQ(PageHtml(view), HtmlOf(WrapInDocument(t.window->Document().Text())));
    EXPECT_TRUE(PageText(view).contains("Aufgabe 1 b)"));
}

TEST(IncrementalUpdate, TheWholeDocumentStillPrintsAndSaves) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    const QString text = PageText(*t.window->View());
    EXPECT_EQ(text.count("Aufgabe Bsp.)"), 3);
    EXPECT_TRUE(text.contains(QString::fromUtf8("Ergebnis kürzen, falls möglich.")));
}

}  // namespace
}  // namespace quorvel::testing
