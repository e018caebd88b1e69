#include "practice/path.h"

#include <algorithm>
#include <utility>

#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "solution/steps.h"
#include "solution/walkthroughs.h"

namespace quorvel {

namespace {

ExerciseContext ContextOf(const PracticeExercise& e) {
    return {DesignationText(e.designation), DifficultyItems()[std::size_t(e.difficulty)],
            KindItems()[std::size_t(e.kind)], std::string(1, e.op)};
}

void WriteExercise(SolutionLines& lines, const PracticeExercise& e, const std::string& after) {
    OpenFractionBlock(lines);
    ExerciseColumns(lines, e.first, e.op, e.second);
    TextColumn(lines, after);
    CloseFractionBlock(lines);
}

std::string ResultWords(const PracticeResult& r) {
    if (!r.answered) return "nicht gerechnet";
    if (r.right) return r.helped ? "richtig, mit Tipp" : "richtig";
    if (r.notReduced) return "richtig, aber nicht fertig gekürzt"_w;
    if (r.strategy) return "falsch (" + r.strategy->name + ")";
    return "falsch";
}

}  // namespace

std::string SkillProgressWords(const SkillProgress& p) {
    return SkillName(p.skill) + ": " + (p.sitzt ? "sitzt" : "noch offen") + " (" + std::to_string(p.tries) +
           (p.tries == 1 ? " Aufgabe)" : " Aufgaben)");
}

SolutionLines PracticePathLines(const PracticeSettings& settings, const std::vector<PracticeStep>& history,
                                const Designation& start) {
    SolutionLines lines;
    WriteHeading(lines, "Mein Übungsweg"_w);
    const std::vector<SkillProgress> progress = SkillProgressOf(history);
    const bool answered = std::any_of(history.begin(), history.end(), [](const PracticeStep& s) { return s.result.answered; });
    if (!answered) {
        lines.Append("Du hast in dieser Übung noch kein Ergebnis prüfen lassen.<br>"_w);
        return lines;
    }
    lines.Append(HtmlEscape(DifficultyItems()[std::size_t(settings.difficulty)] + " · "_w +
                            KindItems()[std::size_t(settings.kind)] + " · "_w +
                            OperationItems()[std::size_t(settings.operation)]) + "<br><br>");
    lines.Append("<b>Deine Fähigkeiten:</b><br>"_w);
    for (const SkillProgress& p : progress) {
        if (p.tries > 0) lines.Append(HtmlEscape(SkillProgressWords(p)) + "<br>");
    }
    lines.Append("<br>");
    // The errors found, in the order first found, with how often.
    std::vector<std::pair<const WrongStrategy*, int>> found;
    for (const PracticeStep& step : history) {
        if (!step.result.strategy) continue;
        auto at = std::find_if(found.begin(), found.end(), [&](const auto& f) { return f.first == step.result.strategy; });
        if (at == found.end()) {
            found.emplace_back(step.result.strategy, 1);
        } else {
            ++at->second;
        }
    }
    if (found.empty()) {
        lines.Append("Kein typischer Fehler gefunden.<br>");
    } else {
        lines.Append("<b>Gefundene Fehler:</b><br>");
        for (const auto& [strategy, count] : found) {
            lines.Append(HtmlEscape(strategy->name) + ": " + std::to_string(count) + "-mal<br>");
        }
    }
    lines.Append("<br><b>Deine Aufgaben:</b><br>");
    for (const PracticeStep& step : history) {
        if (step.choice.reason == ChoiceReason::Typed) {
            lines.Append("eigene Aufgabe:<br>");
        } else {
            WriteExerciseTitle(lines, ContextOf(step.choice.exercise));
        }
        WriteExercise(lines, step.choice.exercise, "   " + HtmlEscape(ResultWords(step.result)));
    }
    // The sheet starts a printed page of its own.
    lines.Append("<div style=\"page-break-before:always\"></div>");
    WriteHeading(lines, "Wiederholungsblatt");
    lines.Append("Name: ______________ Datum: ______________<br>");
    lines.Append("Rechne in einer Woche. Kürze vollständig.<br><br>"_w);
    for (const PracticeExercise& e : ReviewSheetExercises(settings, history, start, kReviewSheetCount)) {
        WriteExerciseTitle(lines, ContextOf(e));
        WriteExercise(lines, e, " = ");
    }
    RemoveBlankLines(lines);
    return lines;
}

}  // namespace quorvel
