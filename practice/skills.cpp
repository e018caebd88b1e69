#include "practice/skills.h"

#include <algorithm>
#include <string>

#include "exercise/generator.h"
#include "fraction/cp1252.h"

namespace quorvel {

namespace {

struct MissingSkill {
    const char* strategy;  // the name in the catalogue, UTF-8
    Skill skill;
};

// Every strategy of the catalogue (entry/checking.cpp) with the skill it
// shows is missing. The sign is settled where the numerators are combined.
constexpr MissingSkill kMissingSkills[] = {
    {"Zähler plus Zähler, Nenner plus Nenner", Skill::CommonDenominator},
    {"Erst gekürzt, dann Zähler plus Zähler, Nenner plus Nenner", Skill::CommonDenominator},
    {"Gleiche Nenner mit addiert", Skill::CombiningLikeFractions},
    {"Zähler addiert, ohne zu erweitern", Skill::Expanding},
    {"Zähler addiert, größerer Nenner behalten", Skill::Expanding},
    {"Ganze Zahl in den Zähler gesetzt", Skill::Expanding},
    {"Zähler minus Zähler, Nenner minus Nenner", Skill::CommonDenominator},
    {"Erst gekürzt, dann Zähler minus Zähler, Nenner minus Nenner", Skill::CommonDenominator},
    {"Ohne Entbündeln subtrahiert", Skill::Borrowing},
    {"Subtraktion umgedreht", Skill::CombiningLikeFractions},
    {"Ganze Zahl mit Zähler und Nenner malgenommen", Skill::MultiplyingFractions},
    {"Nenner beim Malnehmen behalten", Skill::MultiplyingFractions},
    {"Gemischte Zahlen teilweise malgenommen", Skill::ImproperFractions},
    {"Divisor nicht umgedreht", Skill::Reciprocal},
    {"Dividend umgedreht", Skill::Reciprocal},
    {"Nenner beim Teilen behalten", Skill::Reciprocal},
    {"Zähler und Nenner durch die ganze Zahl geteilt", Skill::Reciprocal},
    {"Gemischte Zahl falsch umgewandelt (Ganze plus Zähler)", Skill::ImproperFractions},
    {"Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)", Skill::ImproperFractions},
    {"Richtiger Betrag, falsches Vorzeichen", Skill::CombiningLikeFractions},
};

}  // namespace

bool PracticeExercise::Needs(Skill skill) const { return std::find(skills.begin(), skills.end(), skill) != skills.end(); }

PracticeExercise PracticeExerciseAt(const Designation& d, int difficulty, int kind, char op) {
    ExerciseGenerator generator;
    const PosedExercise posed = generator.Pose({DesignationText(d), difficulty, kind, RowOfOperator(op), op, false});
    PracticeExercise exercise{d, difficulty, kind, op, posed.first, posed.second, {}};
    for (const ExerciseStep& step : ExerciseSteps(op, posed.first, posed.second)) {
        if (!exercise.Needs(step.skill)) exercise.skills.push_back(step.skill);
    }
    return exercise;
}

std::optional<Skill> SkillShownMissing(const WrongStrategy& strategy) {
    for (const MissingSkill& m : kMissingSkills) {
        if (strategy.name == cp1252::FromUtf8(m.strategy)) return m.skill;
    }
    return std::nullopt;
}

}  // namespace quorvel
