#include "sheet/worksheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "document/document.h"
#include "entry/checking.h"
#include "exercise/designation.h"
#include "exercise/generator.h"
#include "exercise/settings.h"
#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"

namespace quorvel {

namespace {

// Reads one operand: [-] INT [INT "/" INT | "/" INT], blanks between.
class OperandReader {
public:
    explicit OperandReader(std::string_view text) : text_(text) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }
    std::optional<char> Operator() {
        SkipBlanks();
        if (pos_ < text_.size() && std::string_view("+-*:").find(text_[pos_]) != std::string_view::npos) {
            return text_[pos_++];
        }
        return std::nullopt;
    }
    std::optional<OperandFields> Operand() {
        SkipBlanks();
        const bool negative = Take('-');
        std::optional<std::string> first = Number();
        if (!first) return std::nullopt;
        const std::string sign = negative ? "-" : "";
        if (Take('/')) {  // a fraction without whole part
            std::optional<std::string> denominator = Number();
            if (!denominator) return std::nullopt;
            return OperandFields{"", sign + *first, *denominator};
        }
        const std::size_t afterWhole = pos_;
        std::optional<std::string> numerator = Number();
        if (numerator && Take('/')) {
            std::optional<std::string> denominator = Number();
            if (!denominator) return std::nullopt;
            return OperandFields{sign + *first, *numerator, *denominator};
        }
        pos_ = afterWhole;  // a whole number alone
        return OperandFields{sign + *first, "", ""};
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }
    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::optional<std::string> Number() {
        SkipBlanks();
        std::size_t start = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (pos_ == start) return std::nullopt;
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// What the exercise line shows: the designation, the settings and the operator.
ExerciseContext ContextOf(const WorksheetRequest& request, const std::string& designation, char op) {
    return {designation, DifficultyItems().at(std::size_t(request.difficulty)),
            KindItems().at(std::size_t(request.kind)), std::string(1, op)};
}

SolvedExercise Solve(const WorksheetRequest& request, const std::string& designation, char op, OperandFields first,
                     OperandFields second, const std::string& label) {
    Walkthrough sheet;
    sheet.context = ContextOf(request, designation, op);
    Evaluation evaluation;
    try {
        evaluation = EvaluateExercise(first, second, request.kind, sheet);
    } catch (const Error& e) {
        throw WorksheetFailure("Aufgabe " + label + ": " + e.what() + ".", 1);
    }
    if (evaluation.outcome != EvaluationOutcome::Solved) {
        throw WorksheetFailure("Aufgabe " + label + ": " + UnreadableOperandMessage(evaluation.outcome) + ".", 1);
    }
    SolvedExercise solved;
    solved.designation = designation;
    solved.number = designation;
    solved.op = op;
    solved.first = evaluation.first;
    solved.second = evaluation.second;
    solved.result = evaluation.result;
    solved.walkthrough = sheet.lines.Join();
    return solved;
}

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

// A number as a pupil writes it: a true minus, a whole number without "/1",
// a mixed number as whole part beside its fraction.
std::string PupilNumber(std::int64_t whole, std::int64_t numerator, std::int64_t denominator) {
    if (numerator == 0 || denominator == 1) {
        const std::int64_t value = whole + (numerator == 0 ? 0 : numerator);
        return (value < 0 ? Minus() : "") + std::to_string(value < 0 ? -value : value);
    }
    const bool negative = whole < 0 || (whole == 0 && numerator < 0);
    std::string out = negative ? Minus() : "";
    if (whole != 0) out += std::to_string(whole < 0 ? -whole : whole);
    // A fraction whose sign differs from the whole part's keeps its own.
    if (whole != 0 && (numerator < 0) != (whole < 0)) out += numerator < 0 ? Minus() : "+";
    return out + StackedFraction(numerator < 0 ? -numerator : numerator, denominator);
}

std::string PupilNumber(const MixedFraction& n) { return PupilNumber(n.whole, n.numerator, n.denominator); }

std::string PupilNumber(const Rational& value) {
    return PupilNumber(value.numerator / value.denominator, value.numerator % value.denominator, value.denominator);
}

bool IsNegative(const MixedFraction& n) { return n.whole < 0 || n.numerator < 0; }

std::string PupilOperator(char op) {
    switch (op) {
        case '-': return Minus();
        case '*': return "\xB7";
        default: return std::string(1, op);
    }
}

// "3/4 + (-1 1/2)": a negative operand in brackets.
std::string PupilExercise(const SolvedExercise& e) {
    auto operand = [](const MixedFraction& n) {
        return IsNegative(n) ? "(" + PupilNumber(n) + ")" : PupilNumber(n);
    };
    return "<span class=\"q-term\">" + operand(e.first) + " " + PupilOperator(e.op) + " " + operand(e.second) +
           "</span>";
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
        body += (page == 0 ? kPageStyle + std::string("\r\n") : "") + "<div class=\"q-seite\" style=\"height:" +
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
                            "<span class=\"q-feld\"></span>";
                }
                body += "</td>";
            }
            body += "</tr>\r\n";
        }
        body += "</table>\r\n" + Footer(text, page, pages, true) + "</div>";
    }
    return body;
}

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
        html += "</td><td>" + PupilExercise(e) + "</td><td><span class=\"q-term\">= " + PupilNumber(e.result) +
                "</span></td>";
        double height = 14;
        if (wrongResults) {
            html += "<td class=\"q-falsch\">";
            std::size_t count = 0;
            std::vector<double> lineHeights;
            for (const auto& [value, names] : DistinctWrongResults(e)) {
                html += "<span class=\"q-wert\">" + PupilNumber(value) + "<span class=\"q-name\">" + Escaped(names) +
                        "</span></span>";
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
        body += (page == 0 ? kPageStyle + std::string("\r\n") : "") + "<div class=\"q-seite\">\r\n<div class=\"q-kopf\">" +
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

std::string SolutionsDocument(const ExerciseGroup& group) {
    DocumentBody document;
    for (const SolvedExercise& e : group.exercises) document.ShowSheet(e.walkthrough, true);
    return document.Text();
}

std::string DocumentOf(const WorksheetRequest& request, const ExerciseGroup& group, WorksheetKind sheet) {
    switch (sheet) {
        case WorksheetKind::Solutions: return SolutionsDocument(group);
        case WorksheetKind::Exercises: return WorksheetDocument(request, group);
        case WorksheetKind::Answers: return KeyDocument(request, group, false);
        case WorksheetKind::ErrorKey: return KeyDocument(request, group, true);
    }
    return {};
}

const char* SheetName(WorksheetKind sheet) {
    switch (sheet) {
        case WorksheetKind::Solutions: return "loesungen";
        case WorksheetKind::Exercises: return "arbeitsblatt";
        case WorksheetKind::Answers: return "ergebnisse";
        case WorksheetKind::ErrorKey: return "fehlerschluessel";
    }
    return "";
}

// Whether the exercise lies in the range of the request; what is wrong
// with it if not.
std::optional<std::string> OutsideRange(const WorksheetRequest& request, const SolvedExercise& e) {
    if (request.noNegatives && HasNegativeNumber(e)) return std::string("eine negative Zahl");
    if (request.largestDenominator > 0 &&
        (e.first.denominator > request.largestDenominator || e.second.denominator > request.largestDenominator)) {
        return "einen Nenner über "_w + std::to_string(request.largestDenominator);
    }
    return std::nullopt;
}

bool SameExercise(const SolvedExercise& a, const SolvedExercise& b) {
    return a.op == b.op && a.first == b.first && a.second == b.second;
}

}  // namespace

std::optional<TypedExercise> ParseTypedExercise(std::string_view text) {
    OperandReader reader(text);
    std::optional<OperandFields> first = reader.Operand();
    std::optional<char> op = first ? reader.Operator() : std::nullopt;
    std::optional<OperandFields> second = op ? reader.Operand() : std::nullopt;
    if (!second || !reader.AtEnd()) return std::nullopt;
    return TypedExercise{*first, *op, *second};
}

std::optional<std::string> FieldTextBefore(std::string_view designation) {
    Designation d;
    try {
        d = ParseExerciseNumber(std::string(designation));
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    if (designation.find_first_of("0123456789") == std::string_view::npos) return std::nullopt;
    if (d.letter < 0) d.letter = 0;  // "250" means "250 a"
    if (d.letter > 8) return std::nullopt;
    if (d.letter == 0) return std::to_string(d.number);
    --d.letter;
    return DesignationText(d);
}

bool HasNegativeNumber(const SolvedExercise& exercise) {
    if (IsNegative(exercise.first) || IsNegative(exercise.second) || IsNegative(exercise.result)) return true;
    // A step of the worked solution: a minus before a digit (the operator
    // stands between blanks, the fraction bar is a dash of its own).
    const std::string& text = exercise.walkthrough;
    for (std::size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 1)) {
        if (at + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[at + 1]))) return true;
    }
    return false;
}

std::vector<ExerciseGroup> SolveGroups(const WorksheetRequest& request) {
    if (request.groups < 1 || request.groups > 4) {
        throw WorksheetFailure("F\xFCr --gruppen sind 1 bis 4 Gruppen m\xF6glich.", 2);
    }
    if (request.groups > 1 && !request.typed.empty()) {
        throw WorksheetFailure("Gruppen gibt es nur f\xFCr Aufgaben nach Nummer (--from, --count), nicht f\xFCr "
                               "eingetippte (--exercise).", 2);
    }
    std::vector<ExerciseGroup> groups;
    std::optional<std::string> number;
    if (request.from) {
        number = FieldTextBefore(*request.from);
        if (!number) {
            throw WorksheetFailure("'" + *request.from + "' ist keine Aufgabenbezeichnung wie \"250 a\".", 2);
        }
    }
    for (int g = 0; g < request.groups; ++g) {
        ExerciseGroup group;
        group.letter = request.groups > 1 ? char('A' + g) : 0;
        if (number) {
            // As the trainer from a fresh start: "+" on the operator button,
            // all operation counts at zero. Each group starts afresh, so that
            // its first designation poses it again on its own.
            ExerciseGenerator generator;
            char shown = OperatorOfRow(request.operation);
            long inARow = 0;  // designations passed over since the last one taken
            std::string missedFrom;
            while (group.exercises.size() < std::size_t(request.count)) {
                PosedExercise posed;
                try {
                    posed = generator.Pose({*number, request.difficulty, request.kind, request.operation, shown, true});
                } catch (const Error& e) {
                    throw WorksheetFailure(std::string(e.what()) + ".", 1);
                }
                *number = posed.exerciseNumber;
                shown = posed.op;
                if (group.firstDesignation.empty()) group.firstDesignation = posed.exerciseNumber;
                group.lastDesignation = posed.exerciseNumber;
                // The denominators are known before the exercise is solved.
                const bool small = request.largestDenominator == 0 ||
                                   (posed.first.denominator <= request.largestDenominator &&
                                    posed.second.denominator <= request.largestDenominator);
                if (small) {
                    SolvedExercise solved = Solve(request, posed.exerciseNumber, posed.op,
                                                  {posed.Eg1, posed.Ez1, posed.En1}, {posed.Eg2, posed.Ez2, posed.En2},
                                                  posed.exerciseNumber);
                    bool taken = !OutsideRange(request, solved);
                    for (const ExerciseGroup& earlier : groups) {
                        for (const SolvedExercise& e : earlier.exercises) taken = taken && !SameExercise(e, solved);
                    }
                    if (taken) {
                        group.exercises.push_back(std::move(solved));
                        inARow = 0;
                        continue;
                    }
                }
                ++group.passedOver;
                if (inARow++ == 0) missedFrom = posed.exerciseNumber;
                if (inARow >= kLongestSearch) {
                    std::vector<std::string> wanted;
                    if (request.noNegatives) wanted.push_back("ohne negative Zahlen");
                    if (request.largestDenominator > 0) {
                        wanted.push_back("mit Nennern bis " + std::to_string(request.largestDenominator));
                    }
                    std::string range = wanted.empty() ? "neue" : wanted[0];
                    if (wanted.size() > 1) range += " und " + wanted[1];
                    throw WorksheetFailure("Unter den " + std::to_string(kLongestSearch) + " Aufgaben von " + missedFrom +
                                               " bis " + posed.exerciseNumber + " ist keine " + range +
                                               "; bitte einen gr\xF6\xDF" "eren Bereich w\xE4hlen.",
                                           2);
                }
            }
        }
        groups.push_back(std::move(group));
    }
    ExerciseGroup& last = groups.back();
    for (std::size_t i = 0; i < request.typed.size(); ++i) {
        const std::string& text = request.typed[i];
        std::optional<TypedExercise> typed = ParseTypedExercise(text);
        if (!typed) {
            throw WorksheetFailure("'" + text + "' ist keine Aufgabe wie \"3/4 + 1 5/6\".", 2);
        }
        // Numbered by its place on the sheets, the worked solutions included.
        const std::string place = std::to_string(last.exercises.size() + 1);
        SolvedExercise solved = Solve(request, place, typed->op, typed->first, typed->second, "'" + text + "'");
        solved.typed = true;
        if (std::optional<std::string> outside = OutsideRange(request, solved)) {
            throw WorksheetFailure("Aufgabe '" + text + "' hat " + *outside + "; das passt nicht zu " +
                                       (request.noNegatives && HasNegativeNumber(solved) ? "--ohne-negative"
                                                                                       : "--nenner-bis") + ".",
                                   2);
        }
        last.exercises.push_back(std::move(solved));
    }
    return groups;
}

std::vector<SolvedExercise> SolveAll(const WorksheetRequest& request) {
    std::vector<SolvedExercise> all;
    for (ExerciseGroup& group : SolveGroups(request)) {
        for (SolvedExercise& e : group.exercises) all.push_back(std::move(e));
    }
    return all;
}

std::vector<NamedDocument> BuildWorksheets(const WorksheetRequest& request) {
    const std::vector<ExerciseGroup> groups = SolveGroups(request);
    std::vector<WorksheetKind> sheets{request.sheet};
    if (request.everything) {
        sheets = {WorksheetKind::Exercises, WorksheetKind::Answers, WorksheetKind::ErrorKey, WorksheetKind::Solutions};
    }
    std::vector<NamedDocument> documents;
    for (const ExerciseGroup& group : groups) {
        const std::string prefix = group.letter == 0 ? "" : std::string("gruppe-") + char(std::tolower(group.letter)) + "-";
        for (WorksheetKind sheet : sheets) {
            documents.push_back({prefix + SheetName(sheet), FileContents(WrapInDocument(DocumentOf(request, group, sheet)))});
        }
    }
    return documents;
}

std::string BuildWorksheet(const WorksheetRequest& request) {
    const std::vector<ExerciseGroup> groups = SolveGroups(request);
    std::vector<WorksheetKind> sheets{request.sheet};
    if (request.everything) {
        sheets = {WorksheetKind::Exercises, WorksheetKind::Answers, WorksheetKind::ErrorKey, WorksheetKind::Solutions};
    }
    // Every document starts a new page; the worked solutions may end with
    // a page break already.
    std::string body;
    for (const ExerciseGroup& group : groups) {
        for (WorksheetKind sheet : sheets) {
            if (!body.empty() && !body.ends_with(PageBreakMarker())) body += PageBreakMarker() + "\r\n";
            body += DocumentOf(request, group, sheet);
        }
    }
    return FileContents(WrapInDocument(body));
}

std::string PrintableDocument(std::string file) {
    const std::string end = PageBreakMarker() + "\r\n</body>\r\n</html>\r\n";
    if (file.size() >= end.size() && file.compare(file.size() - end.size(), end.size(), end) == 0) {
        file.erase(file.size() - end.size(), PageBreakMarker().size());
    }
    return file;
}

std::vector<std::string> PrintableParts(const std::string& file, std::size_t pieces) {
    const std::string document = PrintableDocument(file);
    const std::string& header = DocumentHeader();
    const std::string tail = "\r\n</body>\r\n</html>\r\n";
    if (pieces == 0 || !document.starts_with(header) || !document.ends_with(tail) ||
        document.size() < header.size() + tail.size()) {
        return {document};
    }
    const std::string_view body =
        std::string_view(document).substr(header.size(), document.size() - header.size() - tail.size());
    // A piece is a page: it starts after a page break.
    const std::string& start = PageBreakMarker();
    std::vector<std::string> parts;
    std::size_t from = 0;
    std::size_t count = 0;  // pages before the one that starts at at
    for (std::size_t at = body.find(start); at != std::string_view::npos; at = body.find(start, at + start.size())) {
        if (++count < pieces) continue;
        count = 0;
        parts.push_back(header + std::string(body.substr(from, at - from)) + tail);
        from = at + start.size();
    }
    parts.push_back(header + std::string(body.substr(from)) + tail);
    // A part that starts within a worksheet or a key brings their style.
    const std::string_view style = kPageStyle;
    std::size_t styled = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view partBody = std::string_view(parts[i]).substr(header.size());
        const bool starts = partBody.starts_with(style) || partBody.starts_with(std::string("\r\n") + kPageStyle);
        if (i > 0 && styled > 0 && !starts) parts[i].insert(header.size(), std::string(style) + "\r\n");
        styled += parts[i].find(style) != std::string::npos ? 1 : 0;
    }
    return parts;
}

}  // namespace quorvel
