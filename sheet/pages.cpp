// The teacher's own pages: the worksheet and the two keys, drawn as a
// pupil writes fractions, in black that prints well.
#include "sheet/pages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "entry/checking.h"
#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "document/document.h"
#include "solution/lines.h"
#include "speech/speech.h"

namespace quorvel {

namespace {

// The teacher's own documents: a worksheet with a header and the exercises
// in a grid, and the keys as tables, each page a block of its own. The
// style opens each document, and each part of it that is printed on its own.
const char kPageStyle[] =
    "<style type=\"text/css\">"
    ".q-seite{position:relative;color:#000;background:#fff;font-family:Arial,Helvetica,sans-serif;"
    "page-break-inside:avoid;break-inside:avoid}"
    ".q-kopf{border-bottom:1.5pt solid #000;padding-bottom:2mm;margin-bottom:3mm}"
    ".q-titel{font-size:17pt;font-weight:bold}"
    ".q-gruppe{float:right;font-size:15pt;font-weight:bold;border:1.5pt solid #000;padding:0 2mm}"
    ".q-daten{font-size:11pt;margin-top:3mm}"
    ".q-linie{display:inline-block;border-bottom:1pt solid #000;margin:0 4mm 0 1mm}"
    ".q-auftrag{font-size:12pt;margin-top:3mm}"
    ".q-raster{width:100%;border-collapse:collapse;table-layout:fixed}"
    ".q-raster td{vertical-align:top;padding:3mm 2mm 0 0}"
    ".q-nr{display:inline-block;min-width:8mm;font-size:13pt;font-weight:bold;vertical-align:middle}"
    ".q-term{font-size:15pt;white-space:nowrap;vertical-align:middle}"
    ".q-bruch{display:inline-block;vertical-align:middle;text-align:center;margin:0 .1em}"
    ".q-bruch span{display:block;padding:0 .12em;line-height:1.15}"
    ".q-bruch span.q-z{border-bottom:.07em solid #000}"
    ".q-feld{display:inline-block;width:24mm;height:15mm;border:1pt solid #000;vertical-align:middle;margin-left:2mm}"
    ".q-schluessel{width:100%;border-collapse:collapse;font-size:11pt;table-layout:fixed}"
    ".q-schluessel th{text-align:left;font-size:10pt;border-bottom:1.5pt solid #000;padding:1mm 2mm}"
    ".q-schluessel td{vertical-align:middle;border-bottom:.5pt solid #000;padding:.8mm 1mm;white-space:nowrap}"
    ".q-schluessel .q-term{font-size:12pt}"
    ".q-bez{font-size:7pt}"
    ".q-falsch{white-space:normal!important}"
    ".q-schluessel tr{page-break-inside:avoid;break-inside:avoid}"
    ".q-wert{display:inline-flex;align-items:center;width:50%;vertical-align:middle;font-size:9.5pt;padding:.3mm 0}"
    ".q-zahl,.q-zahl>span{display:inline-flex;align-items:center}"
    ".q-name{flex:1;font-size:7pt;margin:0 1mm;white-space:normal}"
    ".q-fuss{font-size:7.5pt;border-top:.5pt solid #000;padding-top:1mm;margin-top:3mm}"
    ".q-unten{position:absolute;left:0;right:0;bottom:0}"
    "</style>";

// The printable height of A4 with margins of 15 mm is 267 mm; a page block
// stays below it so that the engine never starts a page of its own.
constexpr double kPageHeightMm = 258;
constexpr double kHeaderMm = 34;  // title, name line and instructions
constexpr double kFooterMm = 8;

std::string Escaped(const std::string& text) { return HtmlEscape(text); }

std::string Minus() { return "&minus;"; }

std::string StackedFraction(std::int64_t numerator, std::int64_t denominator) {
    return "<span class=\"q-bruch\"><span class=\"q-z\">" + std::to_string(numerator) + "</span><span>" +
           std::to_string(denominator) + "</span></span>";
}

// A number as a pupil writes it: a true minus, the fraction stacked beside
// the whole part.
std::string PupilNumber(const WrittenNumber& written) {
    return NumberText(written, {Minus(), "", StackedFraction});
}

std::string PupilNumber(const MixedNumber& n) { return PupilNumber(Written(n)); }

std::string PupilNumber(const Rational& value) { return PupilNumber(Written(value)); }

// A drawn number or exercise for a screen reader: its German words are its
// name, and the digits behind them are hidden, so that they are not read
// out after the words. The inner span is a box of its own only where the
// class makes it one (q-zahl); otherwise it changes nothing on paper.
std::string SpokenTerm(const char* cssClass, const std::string& words, const std::string& drawn) {
    return std::string("<span class=\"") + cssClass + "\" role=\"math\" aria-label=\"" + Escaped(words) +
           "\"><span aria-hidden=\"true\">" + drawn + "</span></span>";
}

// A number in words, as PupilNumber draws it.
std::string SpokenNumber(const MixedNumber& n) { return WrittenNumberWords(Written(n)); }

std::string SpokenNumber(const Rational& value) { return WrittenNumberWords(Written(value)); }

std::string PupilOperator(char op) {
    switch (op) {
        case '-': return Minus();
        case '*': return "\xB7";
        default: return std::string(1, op);
    }
}

// "3/4 + (-1 1/2)": a negative operand in brackets.
std::string PupilExercise(const SolvedExercise& e) {
    auto operand = [](const MixedNumber& n) {
        return IsNegative(n) ? "(" + PupilNumber(n) + ")" : PupilNumber(n);
    };
    return SpokenTerm("q-term", SpokenNumber(e.first) + " " + OperatorWords(e.op) + " " + SpokenNumber(e.second),
                      operand(e.first) + " " + PupilOperator(e.op) + " " + operand(e.second));
}

std::string Lowered(std::string text) {
    if (!text.empty()) text[0] = char(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

// What the sheets are for, from the operations and the kind of fractions.
struct SheetText {
    std::string title;
    std::string instruction;
    std::string footer;  // what poses the exercises again
};

SheetText TextsOf(const WorksheetRequest& request, const ExerciseGroup& group) {
    static const char* const kNames[] = {"Addition", "Subtraktion", "Multiplikation", "Division"};
    static const char* const kVerbs[] = {"Addiere", "Subtrahiere", "Multipliziere", "Dividiere"};
    static const char* const kKinds[] = {"echter Br\xFC" "che", "unechter Br\xFC" "che", "gemischter Zahlen"};
    static const char* const kKindsDative[] = {"echten Br\xFC" "chen", "unechten Br\xFC" "chen", "gemischten Zahlen"};
    bool designated = false, mixedResult = false;
    int row = -2;  // -2: none yet, -1: several operations
    for (const SolvedExercise& e : group.exercises) {
        designated = designated || !e.typed;
        mixedResult = mixedResult || (e.result.whole != 0 && e.result.numerator != 0);
        const int r = RowOfOperator(e.op);
        row = row == -2 || row == r ? r : -1;
    }
    const bool kindKnown = designated && std::all_of(group.exercises.begin(), group.exercises.end(),
                                                     [](const SolvedExercise& e) { return !e.typed; });
    const std::size_t kind = std::size_t(request.kind);
    SheetText text;
    if (row >= 0) {
        text.title = std::string(kNames[row]) + (kindKnown ? std::string(" ") + kKinds[kind] : " von Br\xFC" "chen");
        text.instruction = std::string(kVerbs[row]) + " und k\xFCrze vollst\xE4ndig.";
    } else {
        text.title = std::string("Rechnen mit ") + (kindKnown ? kKindsDative[kind] : "Br\xFC" "chen");
        text.instruction = "Berechne und k\xFCrze vollst\xE4ndig.";
    }
    if (mixedResult) text.instruction += " Schreibe ein unechtes Ergebnis als gemischte Zahl.";
    if (request.title) text.title = *request.title;

    text.footer = "Quorvel";
    if (!group.firstDesignation.empty()) {
        text.footer += " \xB7 " + group.firstDesignation;
        if (group.lastDesignation != group.firstDesignation) text.footer += " \x96 " + group.lastDesignation;
        std::vector<std::string> range;
        if (request.noNegatives) range.push_back("ohne negative Zahlen");
        if (request.largestDenominator > 0) range.push_back("Nenner bis " + std::to_string(request.largestDenominator));
        if (group.passedOver > 0) range.push_back(std::to_string(group.passedOver) + " \xFC" "bersprungen");
        for (const std::string& part : range) text.footer += ", " + part;
        text.footer += " \xB7 " + Lowered(DifficultyItems().at(std::size_t(request.difficulty))) + " \xB7 " +
                       Lowered(KindItems().at(kind)) + " \xB7 " + OperationItems().at(std::size_t(request.operation));
    }
    std::size_t typed = 0;
    for (const SolvedExercise& e : group.exercises) typed += e.typed ? 1 : 0;
    if (typed > 0) text.footer += " \xB7 " + std::to_string(typed) + (typed == 1 ? " eigene Aufgabe" : " eigene Aufgaben");
    if (group.letter != 0) text.footer += std::string(" \xB7 Gruppe ") + group.letter;
    return text;
}

std::string GroupMark(const ExerciseGroup& group) {
    return group.letter == 0 ? "" : std::string("<span class=\"q-gruppe\">Gruppe ") + group.letter + "</span>";
}

std::string Footer(const SheetText& text, std::size_t page, std::size_t pages, bool atBottom) {
    std::string footer = Escaped(text.footer);
    if (pages > 1) footer += " \xB7 Seite " + std::to_string(page + 1) + " von " + std::to_string(pages);
    return std::string("<div class=\"q-fuss") + (atBottom ? " q-unten" : "") + "\">" + footer + "</div>";
}

// Rows of two exercises on a worksheet page: fewer, with more room to
// work, for the larger numbers of the harder levels.
std::size_t RowsPerPage(int difficulty) { return difficulty == 0 ? 6 : difficulty == 3 ? 4 : 5; }

// Each wrong value once, with every strategy that gives it.
std::vector<std::pair<Rational, std::string>> DistinctWrongResults(const SolvedExercise& e) {
    std::vector<std::pair<Rational, std::string>> wrongs;
    for (const WrongResult& wrong : WrongResults(e.op, e.first, e.second)) {
        auto same = std::find_if(wrongs.begin(), wrongs.end(), [&](const auto& w) { return w.first == wrong.value; });
        if (same == wrongs.end()) {
            wrongs.emplace_back(wrong.value, wrong.strategy->name);
        } else {
            same->second += " oder " + wrong.strategy->name;
        }
    }
    return wrongs;
}

}  // namespace

const std::string& PageStyle() {
    static const std::string style = kPageStyle;
    return style;
}

std::string WorksheetDocument(const WorksheetRequest& request, const ExerciseGroup& group) {
    const SheetText text = TextsOf(request, group);
    const std::size_t rows = RowsPerPage(request.difficulty);
    const std::size_t perPage = 2 * rows;
    const std::size_t pages = std::max<std::size_t>(1, (group.exercises.size() + perPage - 1) / perPage);
    char rowHeight[16];
    std::snprintf(rowHeight, sizeof rowHeight, "%.1fmm", (kPageHeightMm - kHeaderMm - kFooterMm) / double(rows) - 3);
    std::string body;
    for (std::size_t page = 0; page < pages; ++page) {
        if (page > 0) body += PageBreakMarker() + "\r\n";
        body += (page == 0 ? PageStyle() + "\r\n" : "") + "<div class=\"q-seite\" style=\"height:" +
                std::to_string(int(kPageHeightMm)) + "mm\">" +
                "\r\n<div class=\"q-kopf\">" + GroupMark(group) + "<div class=\"q-titel\">" + Escaped(text.title) +
                "</div>\r\n<div class=\"q-daten\">Name:<span class=\"q-linie\" style=\"width:70mm\"></span>"
                "Klasse:<span class=\"q-linie\" style=\"width:18mm\"></span>"
                "Datum:<span class=\"q-linie\" style=\"width:28mm\"></span></div>\r\n"
                "<div class=\"q-auftrag\">" + Escaped(text.instruction) + "</div></div>\r\n"
                "<table class=\"q-raster\">\r\n";
        for (std::size_t row = 0; row < rows; ++row) {
            const std::size_t first = page * perPage + 2 * row;
            if (first >= group.exercises.size()) break;
            body += "<tr style=\"height:" + std::string(rowHeight) + "\">";
            for (std::size_t i = first; i < first + 2; ++i) {
                body += "<td>";
                if (i < group.exercises.size()) {
                    body += "<span class=\"q-nr\">" + std::to_string(i + 1) + ")</span> " +
                            PupilExercise(group.exercises[i]) + " <span class=\"q-term\">=</span>"
                            "<span class=\"q-feld\" role=\"img\" aria-label=\"Antwortfeld\"></span>";
                }
                body += "</td>";
            }
            body += "</tr>\r\n";
        }
        body += "</table>\r\n" + Footer(text, page, pages, true) + "</div>";
    }
    return body;
}

// The keys: a table of number, exercise and result; the error key adds the
// values of the typical wrong strategies, two to a line. Rows go onto a page
// as long as their estimated height leaves room.
std::string KeyDocument(const WorksheetRequest& request, const ExerciseGroup& group, bool wrongResults) {
    const SheetText text = TextsOf(request, group);
    struct Row {
        std::string html;
        double heightMm;
    };
    std::vector<Row> rows;
    for (std::size_t i = 0; i < group.exercises.size(); ++i) {
        const SolvedExercise& e = group.exercises[i];
        std::string html = "<tr><td><b>" + std::to_string(i + 1) + ")</b>";
        if (!e.typed) html += "<br><span class=\"q-bez\">" + Escaped(e.designation) + "</span>";
        html += "</td><td>" + PupilExercise(e) + "</td><td>" +
                SpokenTerm("q-term", SpokenNumber(e.result), "= " + PupilNumber(e.result)) + "</td>";
        double height = 14;
        if (wrongResults) {
            html += "<td class=\"q-falsch\">";
            std::size_t count = 0;
            std::vector<double> lineHeights;
            for (const auto& [value, names] : DistinctWrongResults(e)) {
                html += "<span class=\"q-wert\">" + SpokenTerm("q-zahl", SpokenNumber(value), PupilNumber(value)) +
                        "<span class=\"q-name\">" + Escaped(names) + "</span></span>";
                // Two values to a line, each in half of the column (some
                // 50 mm): the value (digits of 9.5 pt are some 1.9 mm wide),
                // and its name in the rest, a line of 7 pt taking some 3 mm
                // and a letter some 1.35 mm.
                const std::int64_t whole = value.numerator / value.denominator;
                const double valueWidth =
                    2 + 1.9 * double(std::to_string(whole).size() * (whole != 0) +
                                     std::max(std::to_string(value.numerator % value.denominator).size(),
                                              std::to_string(value.denominator).size()));
                const double lettersPerLine = std::max(8.0, (48 - valueWidth) / 1.35);
                const double nameHeight = 3.0 * std::ceil(double(names.size()) / lettersPerLine);
                const double itemHeight = std::max(8.0, nameHeight + 1);
                if (count % 2 == 0) {
                    lineHeights.push_back(itemHeight);
                } else {
                    lineHeights.back() = std::max(lineHeights.back(), itemHeight);
                }
                ++count;
            }
            if (count == 0) html += "&nbsp;";
            html += "</td>";
            double lines = 2;
            for (double h : lineHeights) lines += h;
            height = std::max(height, lines);
        }
        rows.push_back({html + "</tr>\r\n", height});
    }
    std::vector<std::pair<std::size_t, std::size_t>> pages;  // [begin, end) of each page
    const double room = 236;  // of 267 mm: the heading, the table's head and the footer take the rest
    for (std::size_t i = 0; i < rows.size();) {
        double used = 0;
        std::size_t end = i;
        while (end < rows.size() && (end == i || used + rows[end].heightMm <= room)) used += rows[end++].heightMm;
        pages.emplace_back(i, end);
        i = end;
    }
    if (pages.empty()) pages.emplace_back(0, 0);
    const std::string heading = wrongResults ? "Fehlerschl\xFCssel" : "Ergebnisse";
    std::string body;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) body += PageBreakMarker() + "\r\n";
        body += (page == 0 ? PageStyle() + "\r\n" : "") + "<div class=\"q-seite\">\r\n<div class=\"q-kopf\">" +
                GroupMark(group) +
                "<div class=\"q-titel\">" + heading + ": " + Escaped(text.title) + "</div></div>\r\n"
                "<table class=\"q-schluessel\">\r\n" +
                (wrongResults ? "<col style=\"width:8%\"><col style=\"width:21%\"><col style=\"width:15%\"><col>"
                              : "<col style=\"width:10%\"><col style=\"width:32%\"><col>") +
                "\r\n<tr><th>Nr.</th><th>Aufgabe</th><th>Ergebnis</th>" +
                (wrongResults ? "<th>Typische falsche Ergebnisse</th>" : "") + "</tr>\r\n";
        for (std::size_t i = pages[page].first; i < pages[page].second; ++i) body += rows[i].html;
        body += "</table>\r\n" + Footer(text, page, pages.size(), false) + "</div>";
    }
    return body;
}

}  // namespace quorvel
