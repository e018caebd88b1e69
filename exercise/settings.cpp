#include "exercise/settings.h"

#include "fraction/cp1252.h"

namespace quorvel {

const std::array<std::string, 4>& DifficultyItems() {
    static const std::array<std::string, 4> items = {"Normal", "Könner"_w, "Experte", "Rechengenie"};
    return items;
}

const std::array<std::string, 3>& KindItems() {
    static const std::array<std::string, 3> items = {"Echte Brüche"_w, "Unechte Brüche"_w, "Gemischte Zahlen"};
    return items;
}

const std::array<std::string, 5>& OperationItems() {
    static const std::array<std::string, 5> items = {"Addition", "Subtraktion", "Multiplikation", "Division",
                                                     "mischen"};
    return items;
}

const std::array<std::string, 2>& PrintModeItems() {
    static const std::array<std::string, 2> items = {"Einzelne Aufgabe", "Aufgaben sammeln"};
    return items;
}

}  // namespace quorvel
