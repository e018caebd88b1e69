// Saving, printing and clearing the document on the real window.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QPrinter>
#include <QTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "app/radiogroup.h"
#include "document/helppages.h"
#include "document/htmlview.h"
#include "document/printpreview.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

std::string ReadBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return "(unreadable)";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

void WriteBytes(const QString& fileName, const std::string& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
}

struct Saving : Trainer {
    QTemporaryDir dir;
    QString Save(const char* name) {
        const QString fileName = dir.filePath(name);
        services.saveAnswer = fileName;
        QTest::mouseClick(Button("Button9"), Qt::LeftButton);
        return fileName;
    }
};

TEST(Save, RightAfterStartWritesTheInstructionsPage) {
    Saving t;
    t.Start();
    const QString fileName = t.Save("anleitung.html");
    EXPECT_EQ(ReadBytes(fileName), WrapInDocument(Normalise(InstructionsPage())) + "\r\n");
    EXPECT_TRUE(t.services.messages.isEmpty());
    ASSERT_EQ(t.services.saveRequests.size(), 1u);
    const SaveRequest& request = t.services.saveRequests.front();
    EXPECT_EQ(request.filters, (QStringList{"HTML (*.html)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(request.defaultSuffix, "html");
    EXPECT_TRUE(request.suggestedName.isEmpty());
    t.Save("zweite.html");
    EXPECT_EQ(t.services.saveRequests.back().suggestedName, fileName);  // the last name is offered again
}

TEST(Save, AfterClearingInSingleModeWritesAnEmptyDocument) {
    Saving t;
    t.Start();
    ASSERT_TRUE(t.ClickAndLoad("Button10"));
    EXPECT_EQ(ReadBytes(t.Save("leer.html")), DocumentHeader() + "\r\n</body>\r\n</html>\r\n");
}

TEST(Save, WorkedSolutionIsThePageInTheViewPlusTheFinalLineBreak) {
    Saving t;
    t.Start();
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    const std::string saved = ReadBytes(t.Save("loesung.html"));
    ASSERT_GE(saved.size(), 2u);
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
    EXPECT_EQ(saved.substr(saved.size() - 9, 7), "</html>");
    EXPECT_EQ(saved, WrapInDocument(t.window->Sheet().Join()) + "\r\n");
    EXPECT_EQ(HtmlOf(saved.substr(0, saved.size() - 2)), PageHtml(*t.window->View()));
    EXPECT_NE(saved.find('\x97'), std::string::npos);  // the bar, one byte
}

TEST(Save, CancelledDialogWritesNothing) {
    Saving t;
    t.services.saveAnswer.reset();
    QTest::mouseClick(t.Button("Button9"), Qt::LeftButton);
    EXPECT_EQ(t.services.messages, QStringList{"Nicht gespeichert"});
    EXPECT_TRUE(QDir(t.dir.path()).isEmpty());
}

TEST(Save, FailedSaveShowsTheErrorAndKeepsTheOldFile) {
    Saving t;
    const QString fileName = t.dir.filePath("alt.html");
    WriteBytes(fileName, "old contents");
    // Writing more than a kilobyte fails, for root as for anybody.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    t.Save("alt.html");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(t.services.errors, QStringList{QString("Datei %1 kann nicht erstellt werden.").arg(fileName)});
    EXPECT_TRUE(t.services.messages.isEmpty());
    EXPECT_EQ(ReadBytes(fileName), "old contents");

    t.services.errors.clear();
    const QString impossible = fileName + "/darin.html";  // below a file
    t.services.saveAnswer = impossible;
    QTest::mouseClick(t.Button("Button9"), Qt::LeftButton);
    EXPECT_EQ(t.services.errors, QStringList{QString("Datei %1 kann nicht erstellt werden.").arg(impossible)});
}

TEST(Save, TheRealDialogKeepsNothingForTheNextRun) {
    // A home of its own, before anything has asked where settings live.
    QTemporaryDir home, folder;
    qputenv("HOME", QFile::encodeName(home.path()));
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) qunsetenv(name);
    const QString target = folder.filePath("blatt.html");
    WriteBytes(target, "alt");  // an existing file is taken without a question
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            answer.stop();
            dialog->selectFile(target);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    answer.start(10);
    EXPECT_EQ(DesktopServices().AskSaveFileName(nullptr, {{}, {"HTML (*.html)"}, "html"}), target);
    QDirIterator written(home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    EXPECT_FALSE(written.hasNext()) << written.next().toStdString();
}

// The page-break counter through the real radio group and "Löschen".
TEST(Clear, PageBreakCounterEdgeCases) {
    Trainer t;
    t.Start();
    auto* mode = t.Find<RadioGroup>("RadioGroup3");
    const DocumentBody& document = t.window->Document();
    ASSERT_TRUE(t.LoadAfter([&] { QTest::mouseClick(mode->Button(1), Qt::LeftButton); }));
    EXPECT_EQ(document.Text(), "");
    EXPECT_EQ(document.PageBreakCounter(), 1);
    ASSERT_TRUE(t.LoadAfter([&] { QTest::mouseClick(mode->Button(0), Qt::LeftButton); }));
    EXPECT_EQ(document.PageBreakCounter(), 1);
    ASSERT_TRUE(t.LoadAfter([&] { QTest::mouseClick(mode->Button(1), Qt::LeftButton); }));
    EXPECT_EQ(document.PageBreakCounter(), 0);
    EXPECT_EQ(document.Text(), PageBreakMarker());
    QTest::mouseClick(mode->Button(1), Qt::LeftButton);  // already selected: nothing
    EXPECT_EQ(document.PageBreakCounter(), 0);

    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    EXPECT_EQ(document.PageBreakCounter(), 1);
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // "Löschen" with the counter at 1
    EXPECT_EQ(document.PageBreakCounter(), 0);
    EXPECT_EQ(document.Text(), PageBreakMarker());
    EXPECT_TRUE(PageText(*t.window->View()).trimmed().isEmpty());
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    EXPECT_EQ(document.Text(), PageBreakMarker() + t.window->Sheet().Join());
}

TEST(Clear, HintsAndASolutionAfterClearingInCollectMode) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // the counter was 1: the body is the marker
    ASSERT_TRUE(t.ClickAndLoad("Button7"));
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    EXPECT_EQ(t.window->Document().Text(),
              PageBreakMarker() + Normalise(HintsPage()) + t.window->Sheet().Join() + PageBreakMarker());
}

int PdfPages(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString pdf = QString::fromLatin1(file.readAll());
    return int(pdf.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

struct Printing : Trainer {
    QTemporaryDir dir;
    QString pdf;
    Printing() {
        pdf = dir.filePath("vorschau.pdf");
        services.onPreview = [this](HtmlView& view) {
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return PrintView(view, printer);
        };
    }
};

TEST(Print, PreviewRendersTheInstructionsPage) {
    Printing t;
    QTest::mouseClick(t.Button("Button3"), Qt::LeftButton);
    EXPECT_EQ(t.services.previews, 1);
    EXPECT_GE(PdfPages(t.pdf), 1);
    EXPECT_TRUE(t.services.messages.isEmpty());
}

TEST(Print, FiveCollectedSolutionsBreakAfterTheSecondAndFourth) {
    Printing t;
    t.Start();
    auto* mode = t.Find<RadioGroup>("RadioGroup3");
    ASSERT_TRUE(t.LoadAfter([&] { mode->SetItemIndex(1); }));
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // counter 0, body the marker
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // counter 1
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // counter 0, body the marker only
    ASSERT_EQ(t.window->Document().PageBreakCounter(), 0);
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(t.Button("BB6"), Qt::LeftButton);
        ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    }
    QTest::mouseClick(t.Button("Button8"), Qt::LeftButton);
    EXPECT_EQ(t.services.previews, 1);
    // A break before the first content starts no empty page: three pages.
    EXPECT_EQ(PdfPages(t.pdf), 3);
}

TEST(Print, NothingWhileTheViewIsEmptyAndAMessageWhenThePreviewFails) {
    Printing t;
    t.Start();
    QTest::mouseClick(t.Button("Button8"), Qt::LeftButton);
    EXPECT_EQ(t.services.previews, 0);
    EXPECT_TRUE(t.services.messages.isEmpty());
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    t.services.onPreview = [](HtmlView&) { return false; };
    QTest::mouseClick(t.Button("Button8"), Qt::LeftButton);
    EXPECT_EQ(t.services.messages, QStringList{"Druckervorschau fehlgeschlagen"});
}

}  // namespace
}  // namespace quorvel::testing
