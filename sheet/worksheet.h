// The teacher's worksheets: exercises posed by designation or typed in,
// solved as the trainer's "=" solves them, and collected into a document.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "entry/evaluation.h"

namespace quorvel {

enum class WorksheetKind {
    Solutions,  // the worked solutions, as the trainer collects them
    Exercises,  // only the exercises, with room to work, for the pupils
    Answers,    // each exercise with its result
    ErrorKey,   // each exercise with its result and the wrong results of typical wrong strategies
};

struct WorksheetRequest {
    std::optional<std::string> from{};  // the first designation, such as "250 a"
    int count = 1;                    // how many designated exercises
    int difficulty = 0;               // rows of the trainer's setting groups
    int kind = 0;
    int operation = 0;
    std::vector<std::string> typed{};  // exercises typed as text, such as "3/4 + 1 5/6"
    WorksheetKind sheet = WorksheetKind::Solutions;
    std::optional<std::string> title{};  // of the worksheet and the keys; by operation and kind if none
    int groups = 1;                    // 1 to 4: Gruppe A, B ... with exercises of their own
    bool noNegatives = false;          // designations whose exercise has a negative number are passed over
    int largestDenominator = 0;        // designations with a larger operand denominator are passed over; 0: any
    bool everything = false;           // worksheet, answers, error key and solutions of every group
};

// A failure with the exit status it ends the program with: 2 for a request
// that cannot be understood, 1 for an exercise that cannot be solved.
class WorksheetFailure : public std::runtime_error {
public:
    WorksheetFailure(const std::string& message, int status) : std::runtime_error(message), status_(status) {}
    int Status() const { return status_; }

private:
    int status_;
};

// An exercise typed as text, split into the trainer's six fields.
struct TypedExercise {
    OperandFields first;
    char op = '+';
    OperandFields second;
};
// Whole parts, fractions and mixed numbers with an optional leading minus,
// and one of the operators + - * : between them. Nothing if the text is not
// of that form.
std::optional<TypedExercise> ParseTypedExercise(std::string_view text);

// The text of the exercise number field from which "Neue Aufgabe" poses the
// given designation ("250" for "250 a", "250 a" for "250 b"). Nothing if the
// text is not a designation with a letter from "a" to "i".
std::optional<std::string> FieldTextBefore(std::string_view designation);

// One exercise solved as the trainer solves it.
struct SolvedExercise {
    std::string designation;  // the text of the exercise line of the worked solution
    std::string number;       // what the sheets call it: the designation, or its place 1, 2, 3 ... when typed
    bool typed = false;
    char op = '+';
    MixedNumber first, second, result;
    std::string walkthrough;  // the sheet joined, as "=" shows it
};

// The exercises of one group, and what poses them again.
struct ExerciseGroup {
    char letter = 0;                  // 'A', 'B' ... with more than one group, else 0
    std::vector<SolvedExercise> exercises;
    std::string firstDesignation;     // the designations walked, passed over ones included
    std::string lastDesignation;
    long passedOver = 0;              // designations outside the range
};

// How many designations in a row may lie outside the range before the
// request counts as one that nothing satisfies.
inline constexpr long kLongestSearch = 20000;

// Poses and solves every exercise of the request, group by group: the
// designated ones from a fresh start (a group after the first starts after
// the previous group's last designation), then the typed ones, numbered by
// their place. Designations outside the range, or with an exercise of an
// earlier group, are passed over. Raises WorksheetFailure: status 2 for a
// request that contradicts itself or that nothing satisfies.
std::vector<ExerciseGroup> SolveGroups(const WorksheetRequest& request);
// The exercises of all groups, in order.
std::vector<SolvedExercise> SolveAll(const WorksheetRequest& request);

// A negative number anywhere in the exercise, its worked solution or its result.
bool HasNegativeNumber(const SolvedExercise& exercise);

// A negative number as the sheets draw it: a minus in the whole part or the fraction.
inline bool IsNegative(const MixedNumber& n) { return n.whole < 0 || n.numerator < 0; }

// One document of a set, and the name of its file without extension
// ("arbeitsblatt", "gruppe-b-loesungen").
struct NamedDocument {
    std::string name;
    std::string file;  // as BuildWorksheet writes it
};
// The documents of the request: its sheet for every group, or with
// everything set, worksheet, answers, error key and solutions of each group.
std::vector<NamedDocument> BuildWorksheets(const WorksheetRequest& request);

// The bytes of the file to write, Windows-1252 with CR LF line breaks: the
// documents of BuildWorksheets one after the other, each starting a new page.
// Raises WorksheetFailure.
std::string BuildWorksheet(const WorksheetRequest& request);

// The file as it goes to paper: without a page break at its very end, which
// would only start an empty page.
std::string PrintableDocument(std::string file);

// The printable document in parts, each a whole document with at most
// pieces pages, as its page breaks divide it. Each part starts a new page;
// one after the other, the parts' bodies are the document's body less the
// page breaks between them, and less the style of the worksheets and keys
// that a part in their midst brings along.
std::vector<std::string> PrintableParts(const std::string& file, std::size_t pieces);

}  // namespace quorvel
