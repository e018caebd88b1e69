// The controls of the trainer in one table: the window's, its operator
// dialog's, and the same controls on the page. For each its object name in
// the window, which is its element's id on the page, and what a screen
// reader hears of it. The window names its controls from here; the page
// carries the same names in its markup, so that it is accessible before
// the model has loaded, and a test holds the two in step. Texts are
// Windows-1252.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "entry/keyboard.h"

namespace quorvel {

enum class Element {
    Window,
    // The settings screen.
    SettingsScreen, SettingsHeading, StartButton, CloseButton, InstructionsButton, GcdLcmButton, SettingsPrintButton,
    CheckingBox, PracticeBox, PracticeLength, DifficultyGroup, KindGroup, PrintModeGroup,
    // The exercise screen: choosing the exercise above, the calculation and
    // the document's buttons below.
    ExercisePanel, BackButton, HintsButton, NewExerciseButton, NewExerciseKey, NumberLabel, ExerciseNumber,
    OperationGroup, Guidance,
    // While practising, in the guidance's place.
    PracticeSkills, FinishButton,
    CalculationPanel, FirstLabel, SecondLabel, ResultLabel,
    FirstWhole, FirstNumerator, FirstBar, FirstDenominator, OperatorButton,
    SecondWhole, SecondNumerator, SecondBar, SecondDenominator, EqualsButton,
    ResultWhole, ResultNumerator, ResultBar, ResultDenominator,
    Tip, TallyLabel, EvaluationButton, SaveButton, PrintButton, ClearButton, ReadAloudButton,
    // The hints, while the pupil's result is checked.
    HintButton, StepQuestion, StepAnswer,
    // Below the screens: the page of worked solutions.
    View,
    // The operator dialog.
    OperatorDialog, DialogOperationGroup, OkButton,
};
inline constexpr int kElementCount = int(Element::OkButton) + 1;

struct ElementNames {
    Element element = Element::Window;
    const char* objectName = nullptr;
    // What a screen reader hears; empty: what the toolkit or the browser makes
    // of the control by itself (a caption, a group's title).
    std::string name = {};
    std::string description = {};
    Control control = Control::Elsewhere;  // the typing flow's, where it is one
    // The page's id where it is not the object name: ids are unique across
    // the whole page, dialog included.
    const char* pageId = nullptr;
    // While the pupil's result is checked, where they differ.
    std::string checkingName = {};
    std::string checkingDescription = {};

    const char* PageId() const { return pageId ? pageId : objectName; }
    const std::string& Name(bool checking) const { return checking && !checkingName.empty() ? checkingName : name; }
    const std::string& Description(bool checking) const {
        return checking && !checkingDescription.empty() ? checkingDescription : description;
    }
};

// Every element's row, in the order of Element.
std::span<const ElementNames> ElementTable();
const ElementNames& NamesOf(Element element);
inline const char* ObjectName(Element element) { return NamesOf(element).objectName; }

// The control's object name in the window and its element id on the page
// ("Eg1", "BBgleich") for a field and "="; for the rest the words the page
// and the model speak of where the focus stands: "ExerciseControl", "View"
// (anywhere in the page of worked solutions), "Elsewhere". And the control
// of such a name.
const char* ControlName(Control control);
std::optional<Control> ControlNamed(std::string_view name);

// The operator dialog's rows: the operations without "mischen".
std::span<const std::string> OperatorDialogItems();

}  // namespace quorvel
