// quorvel-sheet against the trainer itself, and the program's exit paths.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/radiogroup.h"
#include "document/document.h"
#include "document/htmlview.h"
#include "harness.h"
#include "sheet/worksheet.h"

namespace quorvel::testing {
namespace {

struct Outcome {
    int status;
    QByteArray out;
    QString err;
};

Outcome Sheet(const QStringList& arguments) {
    QProcess process;
    process.start(QUORVEL_SHEET, arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

std::string Bytes(const QByteArray& data) { return std::string(data.constData(), std::size_t(data.size())); }

TEST(SheetTool, SolutionsEqualWhatTheTrainerCollects) {
    // The trainer from a fresh start, "mischen", the key n four times.
    Trainer t;
    t.Start();
    t.Find<RadioGroup>("RadioGroup4")->SetItemIndex(4);
    DocumentBody collected;
    QString operators;
    for (int i = 0; i < 4; ++i) {
        t.Field("Eg1")->setFocus();
        ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(t.Field("Eg1"), 'n'); }));
        operators += t.Button("BB")->text();
        collected.ShowSheet(t.window->Sheet().Join(), true);
    }
    EXPECT_EQ(operators, "*+-:");
    const std::string expected = FileContents(WrapInDocument(collected.Text()));

    Outcome run = Sheet({"--from", "1 a", "--count", "4", "--operation", "mischen"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(Bytes(run.out), expected);
}

TEST(SheetTool, TypedExercisesAreTheTrainersWorkedSolutions) {
    Trainer t;
    t.Start();
    t.Find<RadioGroup>("RadioGroup2")->SetItemIndex(2);
    t.Enter("-1", "3", "4", ":", "", "2", "5");
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    DocumentBody collected;
    collected.ShowSheet(t.window->Sheet().Join(), true);

    Outcome run = Sheet({"-e", "-1 3/4 : 2/5", "--kind", "gemischt"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(Bytes(run.out), FileContents(WrapInDocument(collected.Text())));
}

TEST(SheetTool, WritesFilesAndPdf) {
    QTemporaryDir dir;
    const QString html = dir.filePath("blatt.html");
    Outcome run = Sheet({"--from=12 a", "-n", "3", "--sheet", "arbeitsblatt", "-o", html});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(html);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    SheetRequest request;
    request.from = "12 a";
    request.count = 3;
    request.sheet = SheetKind::Exercises;
    EXPECT_EQ(Bytes(file.readAll()), BuildSheet(request));

    const QString pdf = dir.filePath("blatt.pdf");
    run = Sheet({"--from", "12 a", "-n", "5", "--pdf", "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdfFile.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page(?!s)")), 3);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST(SheetTool, FileNameIsTakenAsTyped) {
    // The documents are Windows-1252, the file system is not: a name with
    // letters the code page lacks must not be written under another name.
    QTemporaryDir dir;
    const QString name = QString::fromUtf8("Übung_Łódź_€.html");
    Outcome run = Sheet({"-e", "1/2 + 1/3", "--output=" + dir.filePath(name)});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{name});

    run = Sheet({"-e", "1/2 + 1/3", "-o", dir.filePath(QString::fromUtf8("fehlt/Łódź.html"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("fehlt/?ód?.html kann nicht erstellt werden")))
        << run.err.toStdString();
}

TEST(SheetTool, BadInputWritesNothing) {
    QTemporaryDir dir;
    const QString target = dir.filePath("nie.html");
    struct Case { QStringList arguments; int status; const char* names; };
    const Case cases[] = {
        {{"--from", "1 a", "--level", "profi"}, 2, "profi"},
        {{"--from", "1 a", "--kind"}, 2, "--kind"},
        {{"--count", "null"}, 2, "null"},
        {{"--frm", "1 a"}, 2, "--frm"},
        {{}, 2, "--from"},
        {{"--from", "Bsp."}, 2, "Bsp."},
        {{"-e", "drei Viertel + 1"}, 2, "drei Viertel + 1"},
        {{"-e", "1/2 + 1/4", "-e", "3/4 : 0"}, 1, "Division durch Null"},
        {{"-e", "1/65537 - 1/65539"}, 1, "Arithmetischer Überlauf"},
        {{"--pdf", "-e", "1/0 * 1/2"}, 1, "Division durch Null"},
    };
    for (const auto& c : cases) {
        Outcome run = Sheet(c.arguments + QStringList{"-o", target});
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.names))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFile::exists(target)) << c.arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "no temporary file left behind";
}

TEST(SheetTool, HelpInGerman) {
    Outcome run = Sheet({"--help"});
    EXPECT_EQ(run.status, 0);
    const QString help = QString::fromUtf8(run.out);
    for (const char* text : {"Aufruf: quorvel-sheet", "--from", "--exercise", "--pdf", "Beispiele:", "arbeitsblatt"}) {
        EXPECT_TRUE(help.contains(text)) << text;
    }
}

}  // namespace
}  // namespace quorvel::testing
