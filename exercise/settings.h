// The rows of the three setting groups, as the window shows them.
#pragma once

#include <array>
#include <string>

namespace quorvel {

// "Normal", "Könner", "Experte", "Rechengenie".
const std::array<std::string, 4>& DifficultyItems();
// "Echte Brüche", "Unechte Brüche", "Gemischte Zahlen".
const std::array<std::string, 3>& KindItems();
// "Addition", "Subtraktion", "Multiplikation", "Division", "mischen".
const std::array<std::string, 5>& OperationItems();

}  // namespace quorvel
