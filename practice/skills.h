// The skills of practice: which skills a generated exercise needs (read from
// its steps) and which skill a wrong strategy shows is missing.
#pragma once

#include <optional>
#include <vector>

#include "entry/checking.h"
#include "exercise/designation.h"
#include "fraction/mixed_number.h"
#include "tutoring/steps.h"

namespace quorvel {

// An exercise of the generator as practice poses it: its designation, the
// level, kind and operator it is posed with, its operands, and the skills
// its steps need.
struct PracticeExercise {
    Designation designation;
    int difficulty = 0;  // rows of the settings groups
    int kind = 0;
    char op = '+';
    MixedNumber first, second;
    std::vector<Skill> skills;  // each once, in the order of the steps

    bool Needs(Skill skill) const;
};

// The exercise the generator poses at designation d with the level, kind and
// operator: the one the trainer poses with that operation chosen and
// quorvel-sheet --from d. Raises what ExerciseSteps raises.
PracticeExercise PracticeExerciseAt(const Designation& d, int difficulty, int kind, char op);

// The skill a catalogued wrong strategy shows is missing; nothing for a
// strategy outside the catalogue.
std::optional<Skill> SkillShownMissing(const WrongStrategy& strategy);

}  // namespace quorvel
