// The document reaches the view through ShowSheet, byte for byte.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "app/radiogroup.h"
#include "document/htmlview.h"
#include "fraction/cp1252.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

TEST(ShowSheet, SingleModeReplacesThePageInTheView) {
    Trainer t;
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowSheet("<p>eins</p>"); }));
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowSheet("<p>zwei \x97 f\xFCnf</p>"); }));
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(WrapInDocument("<p>zwei \x97 f\xFCnf</p>")));
    // The bar byte and the umlaut are read as Windows-1252.
    EXPECT_TRUE(PageText(*t.window->View()).contains(QString::fromUtf8("zwei — fünf")));
    EXPECT_EQ(t.window->View()->title(), "Quorvel");
}

TEST(ShowSheet, CollectModeGathersThePagesWithBreaks) {
    Trainer t;
    auto* mode = t.Find<RadioGroup>("RadioGroup3");
    ASSERT_TRUE(t.LoadAfter([&] { mode->SetItemIndex(1); }));  // the empty refresh counts
    for (const char* text : {"<p>W1</p>", "<p>W2</p>", "<p>W3</p>"}) {
        ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowSheet(text); }));
    }
    const std::string body =
        "<p>W1</p>" + PageBreakMarker() + "<p>W2</p><p>W3</p>" + PageBreakMarker();
    EXPECT_EQ(t.window->Document().Text(), body);
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(WrapInDocument(body)));
    const QString text = PageText(*t.window->View());
    EXPECT_TRUE(text.contains("W1") && text.contains("W3"));
}

TEST(ShowSheet, ADocumentOfMoreThanThreeMegabytesLoads) {
    Trainer t;
    std::string body;
    int lines = 0;
    while (body.size() < 3'300'000) body += "<p>Zeile " + std::to_string(++lines) + " \x97\x97\x97</p>\r\n";
    body += "<p id=\"end\">Ende</p>";
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowSheet(body); }));
    const QString text = PageText(*t.window->View());
    EXPECT_TRUE(text.contains(QString("Zeile %1").arg(lines)));
    EXPECT_TRUE(text.endsWith("Ende"));
}

TEST(View, EmptyPageAfterClearingHoldsTheEmptyDocument) {
    Trainer t;
    ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowSheet(""); }));
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(WrapInDocument("")));
    EXPECT_TRUE(PageText(*t.window->View()).trimmed().isEmpty());
}

}  // namespace
}  // namespace quorvel::testing
