#include "sheet/worksheet.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

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

const std::string& OperationName(char op) {
    const int row = RowOfOperator(op);
    return OperationItems()[std::size_t(row < 0 ? 0 : row)];
}

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
    return {designation, designation, op, evaluation.first, evaluation.second, evaluation.result, sheet.lines.Join()};
}

// The numbered title and the exercise drawn as the pupils read it.
void WriteExercise(SheetLines& lines, const WorksheetRequest& request, const SolvedExercise& e) {
    WriteExerciseTitle(lines, ContextOf(request, e.number, e.op));
    OpenFractionBlock(lines);
    ExerciseColumns(lines, e.first, e.op, e.second);
    CloseFractionBlock(lines);
}

// A block that a page break does not cut.
std::string Unbroken(const std::string& style, const SheetLines& lines) {
    return "<div style=\"" + style + "page-break-inside:avoid;\">\r\n" + lines.Join() + "</div>";
}

// Two exercises to a page, each with half a page (of A4 with margins of
// 15 mm) to work in.
std::string ExercisesDocument(const WorksheetRequest& request, const std::vector<SolvedExercise>& solved) {
    std::string body;
    for (std::size_t i = 0; i < solved.size(); ++i) {
        if (i > 0) body += i % 2 == 0 ? PageBreakMarker() : "\r\n";
        SheetLines lines;
        WriteHeading(lines, OperationName(solved[i].op));
        WriteExercise(lines, request, solved[i]);
        RemoveBlankLines(lines);
        body += Unbroken("height:13cm;", lines);
    }
    return body;
}

// Each exercise with its result, under a heading. The teacher's error key
// adds what each typical wrong strategy gives for the exercise, so that a
// pupil's wrong answer reads at a glance.
std::string ResultsDocument(const WorksheetRequest& request, const std::vector<SolvedExercise>& solved,
                            bool wrongResults) {
    SheetLines heading;
    WriteHeading(heading, wrongResults ? "Fehlerschlüssel"_w : "Ergebnisse");
    std::string body = heading.Join();
    for (const SolvedExercise& e : solved) {
        SheetLines lines;
        WriteExercise(lines, request, e);
        OpenFractionBlock(lines);
        TextColumn(lines, "      = ");
        NumberColumns(lines, e.result);
        CloseFractionBlock(lines);
        // Each wrong value once, with every strategy that gives it.
        std::vector<std::pair<Rational, std::string>> wrongs;
        const std::vector<WrongResult> found =
            wrongResults ? WrongResults(e.op, e.first, e.second) : std::vector<WrongResult>{};
        for (const WrongResult& wrong : found) {
            auto same =
                std::find_if(wrongs.begin(), wrongs.end(), [&](const auto& w) { return w.first == wrong.value; });
            if (same == wrongs.end()) {
                wrongs.emplace_back(wrong.value, wrong.strategy->name);
            } else {
                same->second += " oder " + wrong.strategy->name;
            }
        }
        for (const auto& [value, names] : wrongs) {
            const std::int64_t whole = value.numerator / value.denominator;
            const std::int64_t rest = value.numerator % value.denominator;
            if (whole < INT32_MIN || whole > INT32_MAX || value.denominator > INT32_MAX) continue;
            OpenFractionBlock(lines);
            TextColumn(lines, "      " + names + ": ");
            NumberColumns(lines, {Int(whole), Int(rest), Int(value.denominator)});
            CloseFractionBlock(lines);
        }
        RemoveBlankLines(lines);
        body += Unbroken("", lines) + "\r\n";
    }
    return body;
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

std::vector<SolvedExercise> SolveAll(const WorksheetRequest& request) {
    std::vector<SolvedExercise> solved;
    if (request.from) {
        std::optional<std::string> number = FieldTextBefore(*request.from);
        if (!number) {
            throw WorksheetFailure("'" + *request.from + "' ist keine Aufgabenbezeichnung wie \"250 a\".", 2);
        }
        // As the trainer from a fresh start: "+" on the operator button, all
        // operation counts at zero.
        ExerciseGenerator generator;
        char shown = OperatorOfRow(request.operation);
        for (int i = 0; i < request.count; ++i) {
            PosedExercise posed;
            try {
                posed = generator.Pose({*number, request.difficulty, request.kind, request.operation, shown, true});
            } catch (const Error& e) {
                throw WorksheetFailure(std::string(e.what()) + ".", 1);
            }
            *number = posed.exerciseNumber;
            shown = posed.op;
            solved.push_back(Solve(request, posed.exerciseNumber, posed.op, {posed.Eg1, posed.Ez1, posed.En1},
                                   {posed.Eg2, posed.Ez2, posed.En2}, posed.exerciseNumber));
        }
    }
    for (std::size_t i = 0; i < request.typed.size(); ++i) {
        const std::string& text = request.typed[i];
        std::optional<TypedExercise> typed = ParseTypedExercise(text);
        if (!typed) {
            throw WorksheetFailure("'" + text + "' ist keine Aufgabe wie \"3/4 + 1 5/6\".", 2);
        }
        // Numbered 1, 2, 3 ... on every sheet, the worked solutions included.
        solved.push_back(Solve(request, std::to_string(i + 1), typed->op, typed->first, typed->second, "'" + text + "'"));
    }
    return solved;
}

std::string BuildWorksheet(const WorksheetRequest& request) {
    const std::vector<SolvedExercise> solved = SolveAll(request);
    std::string body;
    switch (request.sheet) {
        case WorksheetKind::Solutions: {
            DocumentBody document;
            for (const SolvedExercise& e : solved) document.ShowSheet(e.walkthrough, true);
            body = document.Text();
            break;
        }
        case WorksheetKind::Exercises: body = ExercisesDocument(request, solved); break;
        case WorksheetKind::Answers: body = ResultsDocument(request, solved, false); break;
        case WorksheetKind::ErrorKey: body = ResultsDocument(request, solved, true); break;
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
    // Where a piece starts: after a page break, or at an exercise of a key.
    const bool paged = body.find(PageBreakMarker()) != std::string_view::npos;
    const std::string start = paged ? PageBreakMarker() : "\r\n<div style=\"page-break-inside:avoid;\">\r\n";
    std::vector<std::string> parts;
    std::size_t from = 0;
    long count = paged ? 0 : -1;  // pieces before the one that starts at at
    for (std::size_t at = body.find(start); at != std::string_view::npos; at = body.find(start, at + start.size())) {
        if (++count < long(pieces)) continue;
        count = 0;
        const std::size_t end = paged ? at : at + 2;  // a key's exercise starts after the line break
        parts.push_back(header + std::string(body.substr(from, end - from)) + tail);
        from = paged ? at + start.size() : end;
    }
    parts.push_back(header + std::string(body.substr(from)) + tail);
    return parts;
}

}  // namespace quorvel
