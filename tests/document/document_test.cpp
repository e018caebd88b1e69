#include <gtest/gtest.h>

#include "document/document.h"

namespace quorvel {
namespace {

const std::string kMarker = "\r\n<div style=\"page-break-before:always\"></div>";

TEST(DocumentHeader, TwelveLinesAsTabled) {
    const std::string& h = DocumentHeader();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos; (pos = h.find("\r\n", start)) != std::string::npos; start = pos + 2) {
        lines.push_back(h.substr(start, pos - start));
    }
    EXPECT_EQ(start, h.size()) << "every line ends with CR LF";
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    EXPECT_EQ(lines[1], "<html>");
    EXPECT_EQ(lines[2], "  <head>");
    EXPECT_EQ(lines[3], "  <title>Quorvel</title>");
    EXPECT_EQ(lines[4], "  <meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">");
    EXPECT_EQ(lines[5].rfind("  <meta name=\"generator\" content=\"", 0), 0u);
    EXPECT_NE(lines[5].find("Quorvel"), std::string::npos);
    EXPECT_EQ(lines[6], "  <style type=\"text/css\">");
    EXPECT_EQ(lines[7],
              "    body{font-family:Arial,Helvetica,Verdana,sans-serif; margin-left:0,5cm; margin-right:0,5cm;}");
    EXPECT_EQ(lines[8], "  </style>");
    EXPECT_EQ(lines[9], "</head>");
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "<body>");
    EXPECT_EQ(PageBreakMarker(), kMarker);
    EXPECT_EQ(PageBreakMarker().size(), 46u);
}

TEST(WrapInDocument, EmptyBodyIsAValidEmptyPage) {
    EXPECT_EQ(WrapInDocument(""), DocumentHeader() + "\r\n</body>\r\n</html>");
    EXPECT_EQ(WrapInDocument("x"), DocumentHeader() + "x\r\n</body>\r\n</html>");
}

TEST(Normalise, EveryLineBreakBecomesCrLf) {
    EXPECT_EQ(Normalise(""), "");
    EXPECT_EQ(Normalise("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(Normalise("\n\r"), "\r\n\r\n");
    EXPECT_EQ(Normalise("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(Normalise("\x97\xFC"), "\x97\xFC");
}

TEST(ShowPage, SingleModeReplacesAndLeavesTheCounter) {
    DocumentBody body;
    body.ShowPage("W1", true);
    ASSERT_EQ(body.PageBreakCounter(), 1);
    body.ShowPage("W2\rx", false);
    EXPECT_EQ(WrapInDocument(body.Text()), WrapInDocument("W2\r\nx"));
    EXPECT_EQ(body.Text(), "W2\r\nx");
    body.ShowPage("W3", false);
    EXPECT_EQ(body.Text(), "W3");
    EXPECT_EQ(body.PageBreakCounter(), 1);
}

TEST(ShowPage, CollectModeBreaksAfterEverySecondText) {
    DocumentBody body;
    body.ShowPage("W1", true);
    EXPECT_EQ(body.Text(), "W1");
    body.ShowPage("W2", true);
    EXPECT_EQ(body.Text(), "W1W2" + kMarker);
    EXPECT_EQ(body.PageBreakCounter(), 0);
    body.ShowPage("W3", true);
    EXPECT_EQ(body.Text(), "W1W2" + kMarker + "W3");
    EXPECT_EQ(body.PageBreakCounter(), 1);
}

TEST(ShowPage, EmptyRefreshCountsLikeAnyText) {
    // Switching to collecting clears and shows an empty text first.
    DocumentBody body;
    body.Clear();
    body.ShowPage("", true);
    EXPECT_EQ(body.PageBreakCounter(), 1);
    for (const char* w : {"W1", "W2", "W3"}) body.ShowPage(w, true);
    EXPECT_EQ(body.Text(), "W1" + kMarker + "W2W3" + kMarker);
}

TEST(ShowPage, ClearingWithCounterOneLeavesExactlyTheMarker) {
    DocumentBody body;
    body.ShowPage("W1", true);
    body.Clear();
    body.ShowPage("", true);
    EXPECT_EQ(body.Text(), kMarker);
    EXPECT_EQ(body.PageBreakCounter(), 0);
}

TEST(ShowPage, WholePageIsNestedWithOnlyItsBreaksChanged) {
    DocumentBody body;
    const std::string page = "<!DOCTYPE x>\r<html><head></head>\n<body>Anleitung</body></html>";
    body.ShowPage(page, false);
    const std::string document = WrapInDocument(body.Text());
    EXPECT_EQ(document, DocumentHeader() + "<!DOCTYPE x>\r\n<html><head></head>\r\n<body>Anleitung</body></html>" +
                            "\r\n</body>\r\n</html>");
    EXPECT_FALSE(body.HoldsInstructions()) << "only its caller says what a text is";
}

TEST(ShowPage, HelpPageAndSolutionCollectedFromEmpty) {
    DocumentBody body;
    body.ShowPage("<html>Hinweise\r</html>", true);
    body.ShowPage("W1", true);
    EXPECT_EQ(body.Text(), "<html>Hinweise\r\n</html>W1" + kMarker);
}

// The instructions make way for the pupil's work; nothing else goes.
struct Removal {
    std::vector<const char*> before;  // "I" for the instructions page, else a text
    bool collect;
    std::string body;                 // after RemoveInstructions
    Int counter;
};

TEST(RemoveInstructions, TakesOutThePageAndKeepsTheRest) {
    const Removal cases[] = {
        {{"I"}, false, "", 0},
        {{"W1", "I"}, false, "", 0},
        {{"I", "W1"}, false, "W1", 0},
        {{"W1", "W2", "I"}, true, "W1W2" + kMarker, 0},   // the newest text goes as if never shown
        {{"W1", "I"}, true, "W1", 1},                     // its page break too
        {{"W1", "I", "H"}, true, "W1" + kMarker + "H", 1},  // in the middle: only its text
        {{"I", "W1", "I"}, true, "W1" + kMarker, 0},
        {{"Anleitung"}, true, "Anleitung", 1},             // a text is what its caller says it is
    };
    for (const Removal& c : cases) {
        DocumentBody body;
        for (const char* text : c.before) {
            if (std::string(text) == "I") {
                body.ShowInstructions("<h1>Anleitung</h1>", c.collect);
            } else {
                body.ShowPage(text, c.collect);
            }
        }
        const std::uint64_t revision = body.Revision();
        const bool held = body.HoldsInstructions();
        body.RemoveInstructions();
        EXPECT_EQ(body.Text(), c.body) << c.before.size() << " texts, collect " << c.collect;
        EXPECT_EQ(body.PageBreakCounter(), c.counter) << c.before.size();
        EXPECT_FALSE(body.HoldsInstructions());
        EXPECT_EQ(body.Revision() > revision, held) << "a change is counted, no change is not";
        body.ShowPage("W9", c.collect);
        EXPECT_EQ(body.Text().compare(body.NewestStart(), 2, "W9"), 0) << "the newest text is found";
    }
}

// One spoken form per pre block, in order, whatever the body goes through.
TEST(Spoken, OneFormPerPreBlockThroughEveryChange) {
    EXPECT_EQ(CountPreBlocks("<pre>a</pre><PRE\r\nx><pre/><preX><p><pr"), 3u);
    using Forms = std::vector<std::string>;
    DocumentBody body;
    body.ShowInstructions("<pre>i</pre>", true);  // a block without a form
    body.ShowPage("<pre>a</pre><p>x</p><pre class=y>b</pre>", true, {"A", "B"});
    body.ShowPage("<pre>c</pre>", true, {"C", "too many"});
    body.ShowPage("<pre>d</pre><pre>e</pre>", true, {"D"});
    EXPECT_EQ(body.Spoken(), (Forms{"", "A", "B", "C", "D", ""}));
    body.RemoveInstructions();
    EXPECT_EQ(body.Spoken(), (Forms{"A", "B", "C", "D", ""}));
    body.ShowPage("<pre>f</pre>", false, {"F"});
    EXPECT_EQ(body.Spoken(), Forms{"F"});
    body.Clear();
    EXPECT_TRUE(body.Spoken().empty());
}

TEST(FileContents, EveryLineEndsWithCrLf) {
    EXPECT_EQ(FileContents(WrapInDocument("")), DocumentHeader() + "\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(FileContents("a\rb\nc"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(FileContents("a\r\n\r"), "a\r\n\r\n");
    EXPECT_EQ(FileContents(""), "");
    std::string bytes;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') bytes += char(b);
    }
    EXPECT_EQ(FileContents(WrapInDocument(bytes)), WrapInDocument(bytes) + "\r\n");
}

}  // namespace
// A view changes its page in place only where a load would show the same.
TEST(ChangeOfBody, AppendReplaceOrLoad) {
    EXPECT_EQ(ChangeOfBody("a", "a").kind, BodyChangeKind::Same);
    const BodyChange grew = ChangeOfBody("a<br>", "a<br>b");
    EXPECT_EQ(grew.kind, BodyChangeKind::Append);
    EXPECT_EQ(grew.part, "b");
    EXPECT_EQ(ChangeOfBody("a", "a<META x>").kind, BodyChangeKind::Load);
    EXPECT_EQ(ChangeOfBody("a", "b").kind, BodyChangeKind::Replace);
    EXPECT_EQ(ChangeOfBody("<Title>a", "b").kind, BodyChangeKind::Load);  // the old page's title stays otherwise
    EXPECT_EQ(ChangeOfBody("ab", "a").kind, BodyChangeKind::Replace);
}

}  // namespace quorvel
