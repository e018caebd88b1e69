// quorvel-sheet: worksheets, worked solutions and answer keys for a lesson,
// written without opening a window.
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QWebEnginePage>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fraction/cp1252.h"
#include "sheet/worksheet.h"
#include "view/await.h"
#include "view/htmlview.h"
#include "view/pdfjoin.h"
#include "view/printpreview.h"
#include "view/qtext.h"
#include "view/saving.h"
#include "view/startup.h"

namespace {

using quorvel::operator""_w;
using quorvel::WorksheetFailure;
using quorvel::WorksheetKind;
using quorvel::WorksheetRequest;

const char kHelp[] = R"(Aufruf: quorvel-sheet [OPTIONEN]

Schreibt für den Unterricht Aufgaben des Bruchrechentrainers Quorvel: ein
Arbeitsblatt zum Kopieren, die Ergebnisse, einen Fehlerschlüssel und die
ausführlichen Lösungen – als HTML oder PDF.

Eine Aufgabenbezeichnung ist eine Zahl und ein Buchstabe von a bis i, etwa
"250 a"; auf 250 i folgt 251 a. Dieselbe Bezeichnung ist nur mit derselben
Stufe, Art und Rechenart dieselbe Aufgabe – dann im Trainer und auf jedem
Rechner.

Aufgaben:
  -f, --from AUFGABE        erste Aufgabe nach Bezeichnung, z. B. "250 a"
  -n, --count ANZAHL        so viele Aufgaben ab --from, 1 bis 100000
                            (Vorgabe: 1; ohne --from ab "1 a")
  -e, --exercise AUFGABE    eine eingetippte Aufgabe, z. B. "3/4 + 1 5/6",
                            "-1 3/4 : 2/5" oder "5 * 2/3"; mehrfach möglich
  -l, --level STUFE         normal, koenner, experte, rechengenie (Vorgabe: normal)
  -k, --kind ART            echt, unecht, gemischt (Vorgabe: echt)
  -p, --operation RECHNUNG  addition, subtraktion, multiplikation, division,
                            mischen (Vorgabe: addition)
      --ohne-negative       nur Aufgaben ohne negative Zahlen, auch in der
                            Rechnung und im Ergebnis
      --nenner-bis N        nur Aufgaben ohne Nenner über N (N ab 2)
                            Bezeichnungen außerhalb werden übersprungen; die
                            übrigen bleiben dieselben Aufgaben.
      --gruppen ANZAHL      1 bis 4 Gruppen (A, B, …) mit verschiedenen Aufgaben
                            derselben Stufe und Art, jede mit eigenen Schlüsseln

Ausgabe:
  -s, --sheet BLATT         loesungen: die ausführlichen Lösungen (Vorgabe)
                            arbeitsblatt: Kopf mit Name, Klasse, Datum, ein
                            Arbeitsauftrag und die Aufgaben mit Platz zum Rechnen
                            ergebnisse: Tabelle jeder Aufgabe mit ihrem Ergebnis
                            fehlerschluessel: dazu die falschen Ergebnisse
                            typischer Fehler, mit ihren Namen
      --alles               Arbeitsblatt, Ergebnisse, Fehlerschlüssel und
                            Lösungen jeder Gruppe, in einer Datei oder mit -o
                            ORDNER je eine Datei
      --titel TEXT          die Überschrift von Arbeitsblatt und Schlüsseln
                            (Vorgabe: nach Rechenart und Art, z. B. "Addition
                            echter Brüche")
  -o, --output DATEI        in DATEI (mit --alles auch in einen ORDNER)
                            schreiben statt auf die Standardausgabe
      --pdf                 PDF statt HTML, mit den Seitenumbrüchen des Dokuments
  -h, --help                diese Hilfe
  -V, --version             die Version

Beispiele für eine Klasse:
  quorvel-sheet --from "250 a" -n 12 --sheet arbeitsblatt --pdf -o blatt.pdf
  mkdir klasse-6b    # --alles schreibt in einen vorhandenen Ordner je eine Datei
  quorvel-sheet --from "250 a" -n 12 -p subtraktion --ohne-negative --nenner-bis 12 \
      --gruppen 2 --alles --pdf -o klasse-6b
  quorvel-sheet -e "3/4 + 1 5/6" -e "-1 3/4 : 2/5" --sheet ergebnisse

Rückgabewert: 0 bei Erfolg, 2 bei falschem Aufruf, 1 wenn eine Aufgabe nicht
gerechnet oder die Ausgabe nicht vollständig geschrieben werden kann. Eine
vorhandene Datei bleibt dann, wie sie war, außer wenn sie an Ort und Stelle
überschrieben werden musste; das sagt die Meldung.
)";

struct Options {
    WorksheetRequest request;
    std::optional<std::string> output;  // the file name as typed (UTF-8), not in the documents' code page
    bool pdf = false;
    bool sheetChosen = false;
    bool help = false;
    bool version = false;
};

int Choice(const std::string& option, const std::string& value, const std::map<std::string, int>& choices) {
    auto it = choices.find(value);
    if (it == choices.end()) {
        std::string known;
        for (const auto& [name, row] : choices) known += (known.empty() ? "" : ", ") + name;
        throw WorksheetFailure("Unbekannter Wert '" + value + "' für "_w + option + " (möglich: "_w + known + ").", 2);
    }
    return it->second;
}

// The whole number text stands for, if it is one from least to most.
std::optional<int> WholeNumber(const std::string& text, long least, long most) {
    std::size_t used = 0;
    long number = 0;
    try {
        number = std::stol(text, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || number < least || number > most) return std::nullopt;
    return int(number);
}

// A whole number from least to most for option, or a failure that says what is allowed.
int Number(const std::string& option, const std::string& text, long least, long most, const std::string& allowed) {
    const std::optional<int> number = WholeNumber(text, least, most);
    if (!number) {
        throw WorksheetFailure("'" + text + "' ist für "_w + option + " nicht möglich: erlaubt ist eine ganze Zahl"_w +
                                   allowed + ".",
                               2);
    }
    return *number;
}

// The arguments come as typed (UTF-8); everything but the output file name
// is read in the documents' code page.
Options Parse(const std::vector<std::string>& args) {
    Options options;
    bool counted = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = quorvel::cp1252::FromUtf8(args[i]);
        std::optional<std::string> inlineValue;  // as typed
        if (args[i].rfind("--", 0) == 0 && args[i].find('=') != std::string::npos) {
            inlineValue = args[i].substr(args[i].find('=') + 1);
            arg = arg.substr(0, arg.find('='));
        }
        auto typedValue = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size()) throw WorksheetFailure("Die Option " + arg + " braucht einen Wert.", 2);
            return args[++i];
        };
        auto value = [&] { return quorvel::cp1252::FromUtf8(typedValue()); };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "-V" || arg == "--version") {
            options.version = true;
        } else if (arg == "-f" || arg == "--from") {
            options.request.from = value();
        } else if (arg == "-n" || arg == "--count") {
            const std::string text = value();
            const std::optional<int> count = WholeNumber(text, 1, 100000);
            if (!count) throw WorksheetFailure("'" + text + "' ist keine Anzahl von 1 bis 100000 (--count).", 2);
            options.request.count = *count;
            counted = true;
        } else if (arg == "-e" || arg == "--exercise") {
            options.request.typed.push_back(value());
        } else if (arg == "-l" || arg == "--level") {
            options.request.difficulty = Choice(arg, value(), {{"normal", 0}, {"koenner", 1}, {"könner"_w, 1},
                                                               {"experte", 2}, {"rechengenie", 3}});
        } else if (arg == "-k" || arg == "--kind") {
            options.request.kind = Choice(arg, value(), {{"echt", 0}, {"unecht", 1}, {"gemischt", 2}});
        } else if (arg == "-p" || arg == "--operation") {
            options.request.operation = Choice(arg, value(), {{"addition", 0}, {"subtraktion", 1},
                                                              {"multiplikation", 2}, {"division", 3},
                                                              {"mischen", 4}});
        } else if (arg == "--titel") {
            options.request.title = value();
        } else if (arg == "--gruppen") {
            options.request.groups = Number(arg, value(), 1, 4, " von 1 bis 4");
        } else if (arg == "--nenner-bis") {
            options.request.largestDenominator = Number(arg, value(), 2, 2147483647, " ab 2");
        } else if (arg == "--ohne-negative" && !inlineValue) {
            options.request.noNegatives = true;
        } else if (arg == "--alles" && !inlineValue) {
            options.request.everything = true;
        } else if (arg == "-s" || arg == "--sheet") {
            options.sheetChosen = true;
            options.request.sheet = WorksheetKind(Choice(arg, value(), {{"loesungen", 0}, {"lösungen"_w, 0},
                                                                    {"arbeitsblatt", 1}, {"ergebnisse", 2},
                                                                    {"fehlerschluessel", 3}, {"fehlerschlüssel"_w, 3}}));
        } else if (arg == "-o" || arg == "--output") {
            options.output = typedValue();
        } else if (arg == "--pdf" && !inlineValue) {
            options.pdf = true;
        } else {
            throw WorksheetFailure("Unbekannte Option '" + quorvel::cp1252::FromUtf8(args[i]) + "'. Hilfe mit --help.", 2);
        }
    }
    if (options.help || options.version) return options;
    if (counted && !options.request.from) options.request.from = "1 a";
    if (options.request.everything && options.sheetChosen) {
        throw WorksheetFailure("--alles schreibt alle Blätter; --sheet passt nicht dazu."_w, 2);
    }
    if (!options.request.from && options.request.typed.empty()) {
        throw WorksheetFailure("Keine Aufgaben: --from oder --exercise angeben. Hilfe mit --help.", 2);
    }
    return options;
}

// The engine lays out and prints a document in a time that grows faster than
// its length: 1000 exercises take 3 s, 10000 take 70 s. Parts of this many
// pages take a fraction of a second each, and are joined into one PDF. The
// engine's memory grows with what a part holds: the pages of worksheets and
// keys, with up to 12 exercises each, go in smaller parts than the worked
// solutions with 2.
constexpr std::size_t kSolutionPagesPerPart = 125;
constexpr std::size_t kSheetPagesPerPart = 40;

// A document as PDF, laid out by the browser engine with its page breaks.
std::string RenderPdf(quorvel::HtmlView& view, const std::string& fileBytes) {
    constexpr int kTimeoutMs = 300000;
    // The engine's page process may end before it answers: then there is no
    // answer to wait for.
    auto failIfLost = [&] {
        if (view.IsPageLost()) throw WorksheetFailure("Die Seitendarstellung ist abgebrochen; das PDF wurde nicht erzeugt.", 1);
    };
    const std::optional<bool> loaded = quorvel::AwaitAnswer<bool>(
        view,
        [&](auto done) {
            QObject::connect(&view, &quorvel::HtmlView::DocumentLoaded, &view, done, Qt::SingleShotConnection);
            view.ShowDocument(fileBytes);
        },
        kTimeoutMs);
    failIfLost();
    if (!loaded.value_or(false)) throw WorksheetFailure("Das Dokument konnte nicht für das PDF geladen werden."_w, 1);
    const std::optional<QByteArray> pdf = quorvel::AwaitAnswer<QByteArray>(
        view, [&](auto done) { view.page()->printToPdf(done, quorvel::PrintLayout()); }, kTimeoutMs);
    failIfLost();
    if (!pdf || pdf->isEmpty()) throw WorksheetFailure("Das PDF konnte nicht erzeugt werden.", 1);
    return std::string(pdf->constData(), std::size_t(pdf->size()));
}

// The engine stamps a PDF with the second it was made. A sheet made again
// from the same request should be the same file: the stamps give way to
// blanks of their length, which leaves every offset of the file as it was.
void BlankDates(std::string& pdf) {
    for (const std::string key : {"/CreationDate (", "/ModDate ("}) {
        for (std::size_t at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + 1)) {
            const std::size_t end = pdf.find(')', at);
            if (end == std::string::npos || end - at > 64) continue;
            pdf.replace(at, end + 1 - at, end + 1 - at, ' ');
        }
    }
}

// The file as one PDF, printed part by part in one view.
std::string RenderPdf(const std::string& file, std::size_t pagesPerPart) {
    std::vector<std::string> parts = quorvel::PrintableParts(file, pagesPerPart);
    quorvel::HtmlView view;
    for (std::string& part : parts) {
        part = RenderPdf(view, part);
        BlankDates(part);
    }
    if (parts.size() == 1) return std::move(parts.front());
    std::optional<std::string> joined = quorvel::JoinPdfs(parts);
    if (!joined) throw WorksheetFailure("Das PDF konnte nicht erzeugt werden.", 1);
    return std::move(*joined);
}

void Write(const std::optional<std::string>& output, const std::string& bytes) {
    if (!output) {
        if (!quorvel::WriteAll(STDOUT_FILENO, bytes)) {
            throw WorksheetFailure("Die Ausgabe konnte nicht geschrieben werden.", 1);
        }
        return;
    }
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(*output));
    // The window's words for a failed write, with the name as it was typed.
    const QString failure = quorvel::WriteFailure(quorvel::WriteFile(fileName, bytes), QString::fromStdString(*output));
    if (!failure.isEmpty()) throw WorksheetFailure(quorvel::FromQString(failure) + ".", 1);
}

}  // namespace

// The engine's reports on its start-up are for its developers, not for
// teachers: only real errors reach standard error.
void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

int main(int argc, char* argv[]) {
    qInstallMessageHandler(ErrorsOnly);
    // A file size limit is a failure to report, like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    try {
        Options options = Parse(args);
        if (options.help) {
            Write(std::nullopt, kHelp);
            return 0;
        }
        if (options.version) {
            Write(std::nullopt, "quorvel-sheet " QUORVEL_VERSION "\n");
            return 0;
        }
        // With --alles, a folder gets one file for each document.
        const bool intoFolder = options.request.everything && options.output &&
                                QFileInfo(QFile::decodeName(QByteArray::fromStdString(*options.output))).isDir();
        std::vector<quorvel::NamedDocument> documents;
        if (intoFolder) {
            documents = quorvel::BuildWorksheets(options.request);
        } else {
            documents.push_back({"", quorvel::BuildWorksheet(options.request)});
        }
        if (options.pdf) {
            // The engine needs an application, though no window opens.
            quorvel::UseOffscreenEngine();
            quorvel::PrepareApplication();
            int qtArgc = 1;
            QApplication application(qtArgc, argv);
            const bool solutionsOnly = !options.request.everything && options.request.sheet == WorksheetKind::Solutions;
            for (quorvel::NamedDocument& document : documents) {
                const bool solutions = solutionsOnly || document.name.ends_with("loesungen");
                document.file = RenderPdf(document.file, solutions ? kSolutionPagesPerPart : kSheetPagesPerPart);
            }
        }
        if (!intoFolder) {
            Write(options.output, documents.front().file);
            return 0;
        }
        std::string written;
        for (const quorvel::NamedDocument& document : documents) {
            const std::string name = *options.output + (options.output->ends_with('/') ? "" : "/") + document.name +
                                     (options.pdf ? ".pdf" : ".html");
            try {
                Write(name, document.file);
            } catch (const WorksheetFailure& failure) {
                // Say which files of the set are there, and which are not.
                throw WorksheetFailure(std::string(failure.what()) +
                                           (written.empty() ? " Keine Datei des Satzes wurde geschrieben."
                                                            : " Geschrieben sind nur: " + written + "."),
                                       failure.Status());
            }
            written += (written.empty() ? "" : ", ") + document.name + (options.pdf ? ".pdf" : ".html");
        }
        return 0;
    } catch (const WorksheetFailure& failure) {
        std::cerr << "quorvel-sheet: " << quorvel::cp1252::ToUtf8(failure.what()) << "\n";
        return failure.Status();
    }
}
