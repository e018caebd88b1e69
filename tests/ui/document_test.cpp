// Saving, printing and clearing the document on the real window.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QPrinter>
#include <QTimer>
#include <QBuffer>
#include <QPdfDocument>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <signal.h>

#include "app/radiogroup.h"
#include "document/helppages.h"
#include "view/htmlview.h"
#include "view/printpreview.h"
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
    EXPECT_EQ(saved, WrapInDocument(t.window->Solution().Join()) + "\r\n");
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
    t.services.yes = true;  // to the question before the solution goes
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // "Löschen" with the counter at 1
    EXPECT_EQ(document.PageBreakCounter(), 0);
    EXPECT_EQ(document.Text(), PageBreakMarker());
    EXPECT_TRUE(PageText(*t.window->View()).trimmed().isEmpty());
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    EXPECT_EQ(document.Text(), PageBreakMarker() + t.window->Solution().Join());
}

TEST(Clear, HintsAndASolutionAfterClearingInCollectMode) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    ASSERT_TRUE(t.ClickAndLoad("Button10"));  // the counter was 1: the body is the marker
    ASSERT_TRUE(t.ClickAndLoad("Button7"));
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    EXPECT_EQ(t.window->Document().Text(),
              PageBreakMarker() + Normalise(HintsPage()) + t.window->Solution().Join() + PageBreakMarker());
}

int PageCount(const QByteArray& pdf) {
    QBuffer buffer;
    buffer.setData(pdf);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() == QPdfDocument::Status::Loading) QSignalSpy(&document, &QPdfDocument::statusChanged).wait();
    return document.status() == QPdfDocument::Status::Ready ? document.pageCount() : -1;
}

// The text of a PDF file as a PDF reader finds it.
QString PdfText(const QString& fileName) {
    QProcess process;
    process.start("pdftotext", {fileName, "-"});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Printing : Trainer {
    QTemporaryDir dir;
    // Clicks a "Drucken" button and waits until the preview has been prepared.
    void Print(const char* button = "Button8") {
        QTest::mouseClick(Button(button), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->PreparingPrint(); }, 60000));
    }
    void Collect() {
        Start();
        ASSERT_TRUE(LoadAfter([&] { Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
        ASSERT_TRUE(ClickAndLoad("Button10"));  // counter 0, the body only the marker
    }
};

TEST(Print, PreviewOfTheInstructionsPage) {
    Printing t;
    t.Print("Button3");
    EXPECT_EQ(t.services.previews, 1);
    EXPECT_GE(PageCount(t.services.pdf), 1);
    EXPECT_TRUE(t.services.messages.isEmpty());
}

TEST(Print, FiveCollectedSolutionsBreakAfterTheSecondAndFourthAndPreviewPageByPage) {
    Printing t;
    t.Collect();
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(t.Button("BB6"), Qt::LeftButton);
        ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    }
    t.Print();
    ASSERT_EQ(t.services.previews, 1);
    // A break before the first content starts no empty page: three pages.
    ASSERT_EQ(PageCount(t.services.pdf), 3);

    PrintPreview preview(t.services.pdf);
    QSignalSpy shown(preview.Pages(), &PdfPages::PageShown);
    preview.show();
    ASSERT_TRUE(shown.wait());
    EXPECT_EQ(shown.first().value(0).toInt(), 0);
    EXPECT_EQ(preview.windowTitle(), "Druckvorschau");
    EXPECT_EQ(preview.Indicator(), "Seite 1 / 3");
    QStringList captions;
    for (const QPushButton* button : preview.findChildren<QPushButton*>()) captions << button->text();
    EXPECT_EQ(captions, (QStringList{"Drucken", "Als PDF speichern", QString::fromUtf8("Schließen")}));
    preview.Pages()->verticalScrollBar()->setValue(preview.Pages()->verticalScrollBar()->maximum());
    EXPECT_EQ(preview.Indicator(), "Seite 3 / 3");
    ASSERT_TRUE(QSignalSpy(preview.Pages(), &PdfPages::PageShown).wait());
    EXPECT_LE(preview.Pages()->CachedPages(), 2);  // only what is in sight

    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(t.dir.filePath("gedruckt.pdf"));
    ASSERT_TRUE(PrintPdf(preview.Document(), printer));
    QFile printed(printer.outputFileName());
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(PageCount(printed.readAll()), 3);
}

TEST(Print, RightAfterTheLastOfNineteenSolutionsTenPagesOfTextUnderOneMegabyte) {
    Printing t;
    t.Collect();
    for (int i = 0; i < 18; ++i) ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    t.Type(t.Field("Eg1"), "n");  // not waited for: printing waits for the page
    t.Print();
    ASSERT_EQ(t.services.previews, 1);
    EXPECT_EQ(PageCount(t.services.pdf), 10);
    EXPECT_LT(t.services.pdf.size(), 1 << 20);

    const QString fileName = t.dir.filePath("rechnungen.pdf");
    t.services.saveAnswer = fileName;
    SavePdf(t.services, t.window.get(), t.services.pdf);
    ASSERT_EQ(t.services.saveRequests.back().defaultSuffix, "pdf");
    QFile saved(fileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), t.services.pdf);
    const QString text = PdfText(fileName);
    EXPECT_EQ(text.count("Aufgabe"), 19) << text.toStdString();
    EXPECT_TRUE(text.contains("Aufgabe " + t.Field("Enr")->text() + ")"));  // the last one

    t.services.saveAnswer = fileName + "/darin.pdf";  // below a file
    SavePdf(t.services, t.window.get(), t.services.pdf);
    EXPECT_EQ(t.services.errors, QStringList{QString("Datei %1/darin.pdf kann nicht erstellt werden.").arg(fileName)});
}

TEST(Print, AfterStartOneEmptyPage) {
    Printing t;
    t.Start();
    t.Print();
    ASSERT_EQ(t.services.previews, 1);
    EXPECT_EQ(PageCount(t.services.pdf), 1);
    EXPECT_TRUE(t.services.messages.isEmpty());
}

TEST(Print, WhilePreparingTheWindowTakesNoClickAndNoKey) {
    Printing t;
    t.Start();
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    const std::string body = t.window->Document().Text();
    const QString number = t.Field("Enr")->text();
    QTest::mouseClick(t.Button("Button8"), Qt::LeftButton);
    ASSERT_TRUE(t.window->PreparingPrint());
    QTest::mouseClick(t.Button("Button8"), Qt::LeftButton);
    QTest::keyClick(t.Field("Eg1"), 'n');
    EXPECT_TRUE(QTest::qWaitFor([&] { return !t.window->PreparingPrint(); }, 60000));
    EXPECT_EQ(t.services.previews, 1);
    EXPECT_EQ(t.window->Document().Text(), body);
    EXPECT_EQ(t.Field("Enr")->text(), number);
    EXPECT_TRUE(t.window->isEnabled());
}

TEST(Print, APreviewThatCannotBeMadeShowsTheMessage) {
    Printing t;
    t.services.onPreview = [](const QByteArray&) { return false; };
    t.Print("Button3");
    EXPECT_EQ(t.services.messages, QStringList{"Druckervorschau fehlgeschlagen"});
}

}  // namespace
}  // namespace quorvel::testing
