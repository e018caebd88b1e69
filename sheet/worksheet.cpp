#include "sheet/worksheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <tuple>

#include "document/document.h"
#include "document/messages.h"
#include "entry/checking.h"
#include "exercise/designation.h"
#include "exercise/generator.h"
#include "exercise/settings.h"
#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"
#include "sheet/pages.h"

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
    Walkthrough solution;
    solution.context = ContextOf(request, designation, op);
    Evaluation evaluation;
    try {
        evaluation = EvaluateExercise(first, second, request.kind, solution);
    } catch (const Error& e) {
        throw WorksheetFailure("Aufgabe " + label + ": " + MessageOf(e) + ".", 1);
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
    solved.walkthrough = solution.lines.Join();
    return solved;
}

std::string SolutionsDocument(const ExerciseGroup& group) {
    DocumentBody document;
    for (const SolvedExercise& e : group.exercises) document.ShowPage(e.walkthrough, true);
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

// What makes two exercises the same for a pupil: the operation and the
// operands, in either order where the order does not matter.
using ExerciseKey = std::tuple<char, Int, Int, Int, Int, Int, Int>;
ExerciseKey KeyOf(const SolvedExercise& e) {
    ExerciseKey key{e.op, e.first.whole, e.first.numerator, e.first.denominator,
                    e.second.whole, e.second.numerator, e.second.denominator};
    const ExerciseKey swapped{e.op, e.second.whole, e.second.numerator, e.second.denominator,
                              e.first.whole, e.first.numerator, e.first.denominator};
    return (e.op == '+' || e.op == '*') ? std::min(key, swapped) : key;
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
    std::set<ExerciseKey> earlierGroups;  // the exercises of the groups made so far
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
                    throw WorksheetFailure(MessageOf(e) + ".", 1);
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
                                                  {posed.firstWhole, posed.firstNumerator, posed.firstDenominator}, {posed.secondWhole, posed.secondNumerator, posed.secondDenominator},
                                                  posed.exerciseNumber);
                    const bool taken = !OutsideRange(request, solved) && !earlierGroups.contains(KeyOf(solved));
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
                                               "; mit einem gr\xF6\xDF" "eren N bei --nenner-bis oder ohne --ohne-negative gibt es mehr "
                                               "Aufgaben.",
                                           2);
                }
            }
        }
        for (const SolvedExercise& e : group.exercises) earlierGroups.insert(KeyOf(e));
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
    const std::string_view style = PageStyle();
    std::size_t styled = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view partBody = std::string_view(parts[i]).substr(header.size());
        const bool starts = partBody.starts_with(style) || partBody.starts_with("\r\n" + PageStyle());
        if (i > 0 && styled > 0 && !starts) parts[i].insert(header.size(), std::string(style) + "\r\n");
        styled += parts[i].find(style) != std::string::npos ? 1 : 0;
    }
    return parts;
}

}  // namespace quorvel
