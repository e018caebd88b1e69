// quorvel-sheet against the trainer itself, and the program's exit paths.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/radiogroup.h"
#include "document/document.h"
#include "view/htmlview.h"
#include "harness.h"
#include "sheet/worksheet.h"

namespace quorvel::testing {
namespace {

struct Outcome {
    int status;
    QByteArray out;
    QString err;
};

// Standard output to a file; a file size limit (a full disk, for root as
// for anybody); the tool run as nobody where the tests run as root.
struct Launch {
    QString standardOutput;
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool asNobody = false;
};

// The tool where the unprivileged user may run it: the checkout may sit in
// a folder that only its owner may enter. The copy goes with the test's process.
QString ToolFor(const Launch& launch) {
    if (!launch.asNobody || geteuid() != 0) return QUORVEL_SHEET;
    static QTemporaryDir folder;
    const QString copy = folder.filePath("quorvel-sheet");
    if (!QFile::exists(copy) && QFile::copy(QUORVEL_SHEET, copy)) {
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                 QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
    return copy;
}

Outcome RunTool(const QStringList& arguments, const Launch& launch = {}) {
    QProcess process;
    if (!launch.standardOutput.isEmpty()) process.setStandardOutputFile(launch.standardOutput);
    process.setChildProcessModifier([launch] {
        const rlimit limit{launch.fileSizeLimit, launch.fileSizeLimit};
        if (launch.fileSizeLimit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(98);
        if (launch.asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    });
    const QString tool = ToolFor(launch);
    process.setWorkingDirectory(QFileInfo(tool).absolutePath());  // one its user may enter
    process.start(tool, arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

std::string Bytes(const QByteArray& data) { return std::string(data.constData(), std::size_t(data.size())); }

std::string ReadBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? Bytes(file.readAll()) : "(unreadable)";
}

void WriteBytes(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

struct stat StatOf(const QString& fileName) {
    struct stat st {};
    EXPECT_EQ(lstat(QFile::encodeName(fileName).constData(), &st), 0) << fileName.toStdString();
    return st;
}

TEST(SheetTool, SolutionsEqualWhatTheTrainerCollects) {
    // The trainer from a fresh start, "mischen", the key n four times.
    Trainer t;
    t.Start();
    t.Find<RadioGroup>("RadioGroup4")->SetItemIndex(4);
    DocumentBody collected;
    for (int i = 0; i < 4; ++i) {
        t.Field("Eg1")->setFocus();
        ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(t.Field("Eg1"), 'n'); }));
        collected.ShowPage(t.window->Solution().Join(), true);
    }
    const std::string expected = FileContents(WrapInDocument(collected.Text()));

    Outcome run = RunTool({"--from", "1 a", "--count", "4", "--operation", "mischen"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(Bytes(run.out), expected);
}

TEST(SheetTool, TypedExercisesAreTheTrainersWorkedSolutions) {
    Trainer t;
    t.Start();
    t.Find<RadioGroup>("RadioGroup2")->SetItemIndex(2);
    t.Enter("-1", "3", "4", ":", "", "2", "5");
    ASSERT_TRUE(t.ClickAndLoad("BBgleich"));
    // The tool numbers the typed exercise as its sheets do; not a byte else differs.
    std::string solution = t.window->Solution().Join();
    const std::string trainersLine = "Aufgabe Bsp.) [n g]<br>";
    ASSERT_NE(solution.find(trainersLine), std::string::npos);
    solution.replace(solution.find(trainersLine), trainersLine.size(), "Aufgabe 1) [n g]<br>");
    DocumentBody collected;
    collected.ShowPage(solution, true);

    Outcome run = RunTool({"-e", "-1 3/4 : 2/5", "--kind", "gemischt"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(Bytes(run.out), FileContents(WrapInDocument(collected.Text())));
}

TEST(SheetTool, WritesFilesAndPdf) {
    QTemporaryDir dir;
    const QString html = dir.filePath("blatt.html");
    Outcome run = RunTool({"--from=12 a", "-n", "3", "--sheet", "arbeitsblatt", "-o", html});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(html);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    WorksheetRequest request;
    request.from = "12 a";
    request.count = 3;
    request.sheet = WorksheetKind::Exercises;
    EXPECT_EQ(Bytes(file.readAll()), BuildWorksheet(request));

    const QString pdf = dir.filePath("blatt.pdf");
    run = RunTool({"--from", "12 a", "-n", "5", "--pdf", "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdfFile.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page(?!s)")), 3);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

// The text of each page of a PDF, through poppler's tools.
QStringList PdfPages(const QString& pdf) {
    QProcess tool;
    tool.start("pdfinfo", {pdf});
    tool.waitForFinished();
    const int count = QRegularExpression("Pages: *(\\d+)").match(tool.readAllStandardOutput()).captured(1).toInt();
    QStringList pages;
    for (int page = 1; page <= count; ++page) {
        tool.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-layout", pdf, "-"});
        tool.waitForFinished();
        pages << QString::fromUtf8(tool.readAllStandardOutput());
    }
    return pages;
}

TEST(SheetTool, PrintedSheetsAsTeachersHandThemOut) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("blatt.pdf");
    // The worked solutions two to a page and no empty page after the last;
    // the worksheet of 12 with its header, and each key, on one page.
    struct Case { const char* sheet; int pages; QStringList texts; };
    const Case cases[] = {
        {"loesungen", 6, {"Aufgabe 250 a)", "Aufgabe 251 c)"}},
        {"arbeitsblatt", 1, {"Name:", "Klasse:", "Datum:", "Addiere und kürze vollständig.", "250 a – 251 c"}},
        {"ergebnisse", 1, {"Ergebnisse", "250 a", "251 c"}},
        {"fehlerschluessel", 1, {"Fehlerschlüssel", "Zähler plus Zähler", "251 c"}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RunTool({"--from", "250 a", "-n", "12", "--sheet", c.sheet, "--pdf", "-o", pdf}).status, 0);
        const QStringList pages = PdfPages(pdf);
        EXPECT_EQ(pages.size(), c.pages) << c.sheet;
        const QString text = pages.join('\n');
        for (const QString& wanted : c.texts) EXPECT_TRUE(text.contains(wanted)) << c.sheet << ": " << wanted.toStdString();
        if (c.pages != 1) continue;
        for (int i = 1; i <= 12; ++i) EXPECT_TRUE(text.contains(QString("%1)").arg(i))) << c.sheet << " " << i;
        EXPECT_FALSE(text.contains("[n e]")) << c.sheet;
    }
}

TEST(SheetTool, AClassSetOfTwoGroupsMadeTwiceIsTheSame) {
    QTemporaryDir dir;
    const QStringList request{"--from", "250 a", "-n", "12", "--gruppen", "2", "--alles", "--pdf", "-o"};
    const QString once = dir.filePath("satz.pdf"), twice = dir.filePath("nochmal.pdf");
    ASSERT_EQ(RunTool(request + QStringList{once}).status, 0);
    ASSERT_EQ(RunTool(request + QStringList{twice}).status, 0);
    EXPECT_EQ(ReadBytes(once), ReadBytes(twice));
    // Worksheet, answers, error key (a page each, marked with the group) and
    // six pages of the trainer's worked solutions for each group.
    const QStringList pages = PdfPages(once);
    ASSERT_EQ(pages.size(), 18);
    for (int page = 0; page < 18; ++page) {
        EXPECT_TRUE(page % 9 > 2 || pages[page].contains(page < 9 ? "Gruppe A" : "Gruppe B")) << page;
    }
    // A folder gets one file for each document; the worked solutions of a
    // group are the trainer's, posed from the group's first designation.
    ASSERT_TRUE(QDir(dir.path()).mkdir("klasse"));
    ASSERT_EQ(RunTool({"--from", "250 a", "-n", "12", "--gruppen", "2", "--alles", "-o", dir.filePath("klasse")}).status, 0);
    EXPECT_EQ(QDir(dir.filePath("klasse")).entryList(QDir::Files).size(), 8);
    WorksheetRequest groupB;
    groupB.from = "251 d";
    groupB.count = 12;
    EXPECT_EQ(ReadBytes(dir.filePath("klasse/gruppe-b-loesungen.html")), BuildWorksheet(groupB));
}

TEST(SheetTool, RangesForAClassWithoutNegativeNumbers) {
    // A negative number follows "=" or "(" with a true minus; without the
    // range, 40 differences have some.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("ergebnisse.pdf");
    const QRegularExpression negative(QString("[=(]\\s*") + QChar(0x2212));
    for (bool ranged : {false, true}) {
        const QStringList range = ranged ? QStringList{"--ohne-negative", "--nenner-bis", "12"} : QStringList{};
        const Outcome run = RunTool(range + QStringList{"-p", "subtraktion", "-n", "40", "--sheet", "ergebnisse", "--pdf", "-o", pdf});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QString text = PdfPages(pdf).join('\n');
        EXPECT_EQ(text.contains(negative), !ranged);
        EXPECT_EQ(text.contains("ohne negative Zahlen, Nenner bis 12"), ranged);
        EXPECT_TRUE(text.contains("40)"));
    }
}

TEST(SheetTool, LongSheetsArePrintedInPartsJoinedIntoOnePdf) {
    // 300 worked solutions are 150 pages, more than the engine is given at once.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("lang.pdf");
    const Outcome run = RunTool({"-n", "300", "--pdf", "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QProcess tool;
    tool.start("pdfinfo", {pdf});
    tool.waitForFinished();
    EXPECT_EQ(QRegularExpression("Pages: *(\\d+)").match(tool.readAllStandardOutput()).captured(1), "150");
    tool.start("pdftotext", {"-layout", pdf, "-"});
    tool.waitForFinished();
    QStringList printed, expected;
    for (const auto& match : QRegularExpression("Aufgabe (\\d+ [a-i])\\)").globalMatch(tool.readAllStandardOutput())) {
        printed << match.captured(1);
    }
    for (int i = 0; i < 300; ++i) expected << QString("%1 %2").arg(1 + i / 9).arg(QChar('a' + i % 9));
    EXPECT_EQ(printed, expected);
    EXPECT_TRUE(tool.readAllStandardError().isEmpty());
    // Each part's font subsets keep a name of their own in the joined file.
    tool.start("pdffonts", {pdf});
    tool.waitForFinished();
    QStringList fonts;
    for (const auto& match : QRegularExpression("(?m)^(\\S+)").globalMatch(tool.readAllStandardOutput())) {
        fonts << match.captured(1);
    }
    fonts = fonts.mid(2).filter(QRegularExpression("^[A-Z]{6}\\+"));  // the subsets, not the table's head
    EXPECT_GT(fonts.size(), 2);
    EXPECT_EQ(QSet<QString>(fonts.begin(), fonts.end()).size(), fonts.size()) << fonts.join(' ').toStdString();
}

TEST(SheetTool, FileNameIsTakenAsTyped) {
    // The documents are Windows-1252, the file system is not: a name with
    // letters the code page lacks must not be written under another name.
    QTemporaryDir dir;
    const QString name = QString::fromUtf8("Übung_Łódź_€.html");
    Outcome run = RunTool({"-e", "1/2 + 1/3", "--output=" + dir.filePath(name)});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{name});

    run = RunTool({"-e", "1/2 + 1/3", "-o", dir.filePath(QString::fromUtf8("fehlt/Łódź.html"))});
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
        {{"-n", "12", "--gruppen", "9"}, 2, "1 bis 4"},
        {{"-n", "12", "--nenner-bis", "1"}, 2, "ab 2"},
        {{"-e", "3/4 - -2", "--ohne-negative"}, 2, "--ohne-negative"},
        {{"-n", "3", "--nenner-bis", "2", "--pdf"}, 2, "keine mit Nennern bis 2"},
        {{"-n", "3", "--alles", "--sheet", "ergebnisse"}, 2, "--alles"},
    };
    for (const auto& c : cases) {
        Outcome run = RunTool(c.arguments + QStringList{"-o", target});
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.names))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFile::exists(target)) << c.arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "no temporary file left behind";
}

TEST(SheetTool, FailedWritesEndWithStatusOne) {
    // As root the tool gets a full device of its own: a tool that replaced
    // it would not replace the system's.
    QTemporaryDir dir;
    QString full = dir.filePath("voll");
    if (mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) full = "/dev/full";
    const QString output = "Die Ausgabe konnte nicht geschrieben werden.";
    // A FIFO nobody reads, and a file its user may not write in a folder
    // that would let it be replaced.
    const QString fifo = dir.filePath("rohr"), fixed = dir.filePath("offen/fest.html");
    ASSERT_TRUE(QDir(dir.path()).mkdir("offen"));
    WriteBytes(fixed, "alt");
    for (int result : {mkfifo(QFile::encodeName(fifo).constData(), 0666), chmod(QFile::encodeName(fixed).constData(), 0444),
                       chmod(QFile::encodeName(dir.filePath("offen")).constData(), 0777),
                       chmod(QFile::encodeName(dir.path()).constData(), 0755)}) {
        ASSERT_EQ(result, 0);
    }
    const std::tuple<QStringList, Launch, QString> cases[] = {
        {{"-n", "4", "-o", fifo}, {}, fifo + " kann nicht erstellt werden."},
        {{"-n", "4", "-o", fixed}, {{}, RLIM_INFINITY, true}, fixed + " kann nicht erstellt werden."},
        {{"-n", "4"}, {full}, output},
        {{"-n", "4", "--pdf"}, {full}, output},
        {{"--help"}, {full}, output},
        {{"-n", "100"}, {dir.filePath("aus.html"), 64 * 1024}, output},
        {{"-n", "4", "-o", full}, {}, full + " kann nicht erstellt werden."},
    };
    for (const auto& [arguments, launch, message] : cases) {
        const Outcome run = RunTool(arguments, launch);
        EXPECT_EQ(run.status, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    }
    EXPECT_TRUE(S_ISCHR(StatOf(full).st_mode));
    EXPECT_EQ(ReadBytes(fixed), "alt");
}

TEST(SheetTool, SpecialFilesAndLinksAreWrittenInto) {
    QTemporaryDir dir;
    auto path = [&](const char* name) { return QFile::encodeName(dir.filePath(name)).toStdString(); };
    const std::string expected = BuildWorksheet({{}, 1, 0, 0, 0, {"1/2 + 1/3"}});
    auto write = [&](const char* name, const Launch& launch = {}) {
        const Outcome run = RunTool({"-e", "1/2 + 1/3", "-o", dir.filePath(name)}, launch);
        EXPECT_EQ(run.status, 0) << name << ": " << run.err.toStdString();
    };
    // A FIFO's reader receives the whole document.
    ASSERT_EQ(mkfifo(path("rohr").c_str(), 0600), 0);
    const int reader = open(path("rohr").c_str(), O_RDONLY | O_NONBLOCK);
    write("rohr");
    std::string received(expected.size() + 1, '\0');
    received.resize(std::size_t(std::max<ssize_t>(read(reader, received.data(), received.size()), 0)));
    close(reader);
    EXPECT_EQ(received, expected);
    // A symbolic link to a hard link: both stay links. A replaced file keeps
    // its mode and (for root) its owner. A file its user may write in a
    // folder they may not is written in place.
    for (const char* name : {"blatt.html", "schueler.html"}) WriteBytes(dir.filePath(name), "alt");
    ASSERT_TRUE(QDir(dir.path()).mkdir("klasse"));
    WriteBytes(dir.filePath("klasse/blatt.html"), "alt");
    for (int result : {link(path("blatt.html").c_str(), path("hart.html").c_str()),
                       symlink("hart.html", path("weich.html").c_str()), chmod(path("schueler.html").c_str(), 0640),
                       geteuid() == 0 ? chown(path("schueler.html").c_str(), 65534, 1) : 0,
                       chmod(path("klasse/blatt.html").c_str(), 0666), chmod(path("klasse").c_str(), 0555),
                       chmod(QFile::encodeName(dir.path()).constData(), 0755)}) {
        ASSERT_EQ(result, 0);
    }
    const struct stat before = StatOf(dir.filePath("schueler.html"));
    for (const char* name : {"weich.html", "schueler.html"}) write(name);
    write("klasse/blatt.html", {{}, RLIM_INFINITY, true});
    EXPECT_EQ(StatOf(dir.filePath("blatt.html")).st_ino, StatOf(dir.filePath("hart.html")).st_ino);
    EXPECT_TRUE(S_ISLNK(StatOf(dir.filePath("weich.html")).st_mode));
    const struct stat after = StatOf(dir.filePath("schueler.html"));
    EXPECT_EQ(std::tie(after.st_mode, after.st_uid, after.st_gid),
              std::tie(before.st_mode, before.st_uid, before.st_gid));
    for (const char* name : {"blatt.html", "schueler.html", "klasse/blatt.html"}) {
        EXPECT_EQ(ReadBytes(dir.filePath(name)), expected) << name;
    }
    EXPECT_EQ(QDir(dir.filePath("klasse")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
}

TEST(SheetTool, HelpInGerman) {
    Outcome run = RunTool({"--help"});
    EXPECT_EQ(run.status, 0);
    const QString help = QString::fromUtf8(run.out);
    for (const char* text : {"Aufruf: quorvel-sheet", "--from", "--exercise", "--pdf", "Beispiele", "arbeitsblatt",
                             "von a bis i", "derselben", "100000", "--gruppen", "--alles"}) {
        EXPECT_TRUE(help.contains(text)) << text;
    }
}

}  // namespace
}  // namespace quorvel::testing
