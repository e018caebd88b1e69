#include "model/record.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

#include "fraction/cp1252.h"
#include "solution/walkthroughs.h"

namespace quorvel {

namespace {

const char kRightStyle[] = "<span style=\"color:green;font-weight:bold;\">";
const char kNotReducedStyle[] = "<span style=\"color:#b06000;font-weight:bold;\">";
const char kWrongStyle[] = "<span style=\"color:red;font-weight:bold;\">";

// The exercise with the pupil's result, drawn as the page draws fractions,
// and a text after it.
void WriteExerciseWithResult(SolutionLines& lines, const CheckedExercise& e, const std::string& after) {
    OpenFractionBlock(lines);
    ExerciseColumns(lines, e.first, e.op, e.second);
    TextColumn(lines, " = ");
    NumberColumns(lines, e.pupil);
    // The verdict after the result is said as an afterthought: "..., richtig".
    if (SpokenFormula* speech = lines.LastSpokenBlock()) speech->Words(",");
    TextColumn(lines, after);
    CloseFractionBlock(lines);
}

}  // namespace

std::string VerdictWords(const Check& check) {
    switch (check.verdict) {
        case Verdict::Right: return "richtig";
        case Verdict::NotReduced: return "richtig, aber nicht fertig gekürzt"_w;
        case Verdict::Wrong: break;
    }
    std::string text = "falsch";
    for (std::size_t i = 0; i < check.strategies.size(); ++i) {
        text += (i == 0 ? " (" : " oder ") + check.strategies[i]->name;
    }
    if (!check.strategies.empty()) text += ")";
    return text;
}

SolutionLines VerdictLines(const CheckedExercise& e, bool solutionFollows) {
    SolutionLines lines;
    lines.Append("Dein Ergebnis:<br>");
    WriteExerciseWithResult(lines, e, "");
    const Check& check = e.check;
    const std::string done = NumberText(ValueOf(e.pupil));
    switch (check.verdict) {
        case Verdict::Right:
            lines.Append(kRightStyle + std::string("Richtig!</span>") +
                         (check.improperForm ? " Als gemischte Zahl heißt es "_w + done + "." : "") + "<br>");
            break;
        case Verdict::NotReduced: {
            const std::int64_t top = std::llabs(e.pupil.numerator), bottom = std::llabs(e.pupil.denominator);
            const bool reducible = std::gcd(top, bottom) > 1;
            // Wholes are left in 10/4 as much as in 1 6/4.
            const bool wholesLeft = top >= bottom;
            const std::string todo = reducible && wholesLeft ? "Kürze noch und zieh die Ganzen heraus"_w
                                     : reducible           ? "Kürze noch"_w
                                     : wholesLeft          ? std::string("Zieh noch die Ganzen heraus")
                                                           : "Schreib es noch einfacher"_w;
            // What is left to do, not the finished form: the worked solution below shows that.
            lines.Append(kNotReducedStyle + "Richtig gerechnet, aber noch nicht fertig.</span> "_w + todo + ".<br>");
            break;
        }
        case Verdict::Wrong:
            if (check.strategies.empty()) {
                lines.Append(std::string(kWrongStyle) + "Leider nicht richtig.</span>" +
                             (solutionFollows ? " Vergleiche Deinen Rechenweg Schritt für Schritt mit dem Rechenweg unten."_w
                                              : std::string()) +
                             "<br>");
            }
            for (std::size_t i = 0; i < check.strategies.size(); ++i) {
                const WrongStrategy& s = *check.strategies[i];
                const std::string opening = i > 0                          ? "Oder vielleicht: "
                                            : check.strategies.size() > 1 ? "Leider nicht richtig.</span> Vielleicht: "
                                                                          : "Leider nicht richtig.</span> Typischer "
                                                                            "Fehler: ";
                lines.Append((i == 0 ? kWrongStyle : "") + opening + "<b>" + HtmlEscape(s.name) + ".</b> " +
                             HtmlEscape(s.advice) + "<br>");
            }
            break;
    }
    lines.Append("<br>");
    return lines;
}

// How the right ones came about is added once help was used.
std::string TallyText(const Tally& t) {
    std::string text = "Geprüft "_w + std::to_string(t.checked) + " · richtig "_w + std::to_string(t.right) +
                       " · nicht gekürzt "_w + std::to_string(t.notReduced) + " · falsch "_w + std::to_string(t.wrong);
    if (t.withHint + t.solutionSeen > 0) {
        text += " · selbst gelöst "_w + std::to_string(t.selfSolved) + " · mit Tipp "_w + std::to_string(t.withHint) +
                " · Lösung angesehen "_w + std::to_string(t.solutionSeen);
    }
    return text;
}

std::string VerdictColour(Verdict verdict) {
    switch (verdict) {
        case Verdict::Right: return "#c8f0c8";
        case Verdict::NotReduced: return "#fff0b0";
        case Verdict::Wrong: break;
    }
    return "#ffc8c8";
}

bool CheckRecord::Add(const CheckedExercise& e, const HelpUsed& help) {
    if (!exercises_.empty()) {
        const CheckedExercise& last = exercises_.back();
        if (last.context.exerciseNumber == e.context.exerciseNumber && last.op == e.op && last.first == e.first &&
            last.second == e.second && last.pupil == e.pupil) {
            return false;
        }
    }
    exercises_.push_back(e);
    help_.push_back(help);
    ++tally_.checked;
    switch (e.check.verdict) {
        case Verdict::Right: ++tally_.right; break;
        case Verdict::NotReduced: ++tally_.notReduced; break;
        case Verdict::Wrong: ++tally_.wrong; break;
    }
    return true;
}

void CheckRecord::CountOutcome(Outcome outcome) {
    switch (outcome) {
        case Outcome::SelfSolved: ++tally_.selfSolved; break;
        case Outcome::WithHint: ++tally_.withHint; break;
        case Outcome::SolutionSeen: ++tally_.solutionSeen; break;
    }
}

std::string CheckRecord::EvaluationPage() const { return EvaluationLines().Join(); }

SolutionLines CheckRecord::EvaluationLines() const {
    SolutionLines lines;
    WriteHeading(lines, "Auswertung");
    if (exercises_.empty()) {
        lines.Append("Du hast noch kein Ergebnis prüfen lassen. Kreuze bei den Einstellungen \"Mein Ergebnis "_w
                     "prüfen\" an.<br>"_w);
        return lines;
    }
    lines.Append("Geprüft: "_w + std::to_string(tally_.checked) + "<br>");
    lines.Append("Richtig: " + std::to_string(tally_.right) + "<br>");
    lines.Append("Richtig, aber nicht fertig gekürzt: "_w + std::to_string(tally_.notReduced) + "<br>");
    lines.Append("Falsch: " + std::to_string(tally_.wrong) + "<br>");
    if (tally_.withHint + tally_.solutionSeen > 0) {
        lines.Append("Selbst gelöst: "_w + std::to_string(tally_.selfSolved) + "<br>");
        lines.Append("Mit Tipp: " + std::to_string(tally_.withHint) + "<br>");
        lines.Append("Lösung angesehen: "_w + std::to_string(tally_.solutionSeen) + "<br>");
    }
    lines.Append("<br>");
    // The wrong strategies in the order first found, with how often.
    std::vector<std::pair<const WrongStrategy*, int>> found;
    for (std::size_t i = 0; i < exercises_.size(); ++i) {
        const CheckedExercise& e = exercises_[i];
        if (e.ownExercise) {
            // The operands as typed, unreduced: "6/8", "-1 3/4", "5", "3/1".
            lines.Append("eigene Aufgabe: " + NumberText(e.first, OverOne::AsTyped) + " " + e.op + " " +
                         NumberText(e.second, OverOne::AsTyped) + "<br>");
        } else {
            WriteExerciseTitle(lines, e.context);
        }
        WriteExerciseWithResult(lines, e, "   " + HtmlEscape(VerdictWords(e.check)));
        if (help_[i].highestRung > 0) {
            lines.Append("Tipps bis Stufe " + std::to_string(help_[i].highestRung) + " von 4<br>");
        }
        for (const auto& [question, answer] : help_[i].wrongAnswers) {
            lines.Append("Falsch beantwortet: "_w + HtmlEscape(question) + " (" + HtmlEscape(answer) + ")<br>");
        }
        for (const WrongStrategy* s : e.check.strategies) {
            auto at = std::find_if(found.begin(), found.end(), [s](const auto& f) { return f.first == s; });
            if (at == found.end()) {
                found.emplace_back(s, 1);
            } else {
                ++at->second;
            }
        }
    }
    lines.Append("<br>");
    if (found.empty()) {
        lines.Append("Kein typischer Fehler gefunden.<br>");
    } else {
        lines.Append("Typische Fehler:<br>");
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        for (const auto& [strategy, count] : found) {
            lines.Append(HtmlEscape(strategy->name) + ": " + std::to_string(count) + "-mal<br>");
        }
    }
    RemoveBlankLines(lines);
    return lines;
}

}  // namespace quorvel
