#include "fraction/cp1252.h"
#include "tutoring/steps.h"

namespace quorvel {

std::string LookAtWords(char op, const std::vector<ExerciseStep>& steps,
                        const std::vector<const WrongStrategy*>& strategies) {
    if (!strategies.empty() && !strategies.front()->lookAt.empty()) return strategies.front()->lookAt;
    if (steps.empty()) return "Schau Dir die Aufgabe Schritt für Schritt an."_w;
    switch (steps.front().skill) {
        case Skill::Reducing: return "Schau zuerst, ob Du einen der Brüche kürzen kannst."_w;
        case Skill::CommonDenominator:
        case Skill::Expanding:
            return op == '+' ? "Bei der Addition brauchen beide Brüche denselben Nenner."_w
                             : "Bei der Subtraktion brauchen beide Brüche denselben Nenner."_w;
        case Skill::CombiningLikeFractions: return "Die Nenner sind gleich. Dann rechnest Du nur mit den Zählern."_w;
        case Skill::Borrowing: return "Schau, ob der Bruch vorne groß genug ist, um den hinteren abzuziehen."_w;
        case Skill::ImproperFractions: return "Schau auf die gemischten Zahlen: Wandle sie zuerst in unechte Brüche um."_w;
        case Skill::Reciprocal: return "Beim Dividieren nimmst Du mit dem Kehrwert des zweiten Bruchs mal."_w;
        case Skill::CrossCancelling: return "Schau, ob Du über Kreuz kürzen kannst: einen Zähler mit dem anderen Nenner."_w;
        case Skill::MultiplyingFractions: return "Beim Multiplizieren rechnest Du Zähler mal Zähler und Nenner mal Nenner."_w;
        case Skill::TakingOutWholes: return "Schau, ob im Bruch noch Ganze stecken."_w;
    }
    return {};
}

}  // namespace quorvel
