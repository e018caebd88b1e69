#include "model/controls.h"

#include <array>
#include <iterator>

#include "exercise/settings.h"
#include "fraction/cp1252.h"

namespace quorvel {

namespace {

using E = Element;

std::array<ElementNames, kElementCount> MakeTable() {
    const std::string leaveEmpty = "Leer lassen, wenn der Bruch keine ganze Zahl hat";
    const ElementNames rows[] = {
        {E::Window, "Form1"},

        {E::SettingsScreen, "Panel1"},
        {E::SettingsHeading, "Label1"},
        {E::StartButton, "Button2", "Start", "Zu den Aufgaben"},
        {E::CloseButton, "Button1", "Schließen"_w, "Beendet das Programm"},
        {E::InstructionsButton, "Button4", "Erklärungen"_w, "Zeigt die Anleitung"},
        {E::GcdLcmButton, "Bggtkgv", "ggT kgV",
         "Erklärt größten gemeinsamen Teiler und kleinstes gemeinsames Vielfaches"_w},
        {E::SettingsPrintButton, "Button3", "Drucken", "Druckvorschau der Seite"},
        {E::CheckingBox, "CheckBox1", "Mein Ergebnis prüfen"_w,
         "Das Gleichheitszeichen prüft zuerst Dein eigenes Ergebnis"_w},
        {E::PracticeBox, "PracticeBox", "Üben, bis es sitzt"_w,
         "Taste n stellt die Aufgabe, die zu Deinem letzten Ergebnis passt. Das Prüfen ist dann an."_w},
        {E::PracticeLength, "PracticeLength", "Aufgaben der Übung"_w, "5 bis 50 Aufgaben, sonst 15"},
        {E::DifficultyGroup, "RadioGroup1"},
        {E::KindGroup, "RadioGroup2"},
        {E::PrintModeGroup, "RadioGroup3"},

        {E::ExercisePanel, "Panel2"},
        {E::BackButton, "Button5", "Zurück"_w, "Zurück zu den Einstellungen"_w},
        {E::HintsButton, "Button7", "Hinweise", "Hinweise zu Aufgabennummern und zum schnellen Eintippen"},
        {E::NewExerciseButton, "BB6", "Neue Aufgabe", "Stellt die nächste Aufgabe; Taste n stellt und rechnet sie"_w,
         Control::Elsewhere, nullptr, "",
         "Stellt die nächste Aufgabe; Taste n stellt sie und springt ins Ergebnis"_w},
        {E::NewExerciseKey, "Label7"},
        {E::NumberLabel, "Label3"},
        {E::ExerciseNumber, "Enr", "Aufgabennummer", "", Control::ExerciseNumber},
        {E::OperationGroup, "RadioGroup4"},
        {E::Guidance, "Memo1", "Bedienungshinweis"},
        {E::PracticeSkills, "PracticeSkills", "Was Du übst"_w, "Offen oder sitzt, mit der Zahl der Aufgaben"},
        {E::FinishButton, "FinishButton", "Fertig",
         "Holt die letzten gemischten Aufgaben. Noch einmal drücken beendet die Übung und zeigt Deinen Übungsweg."_w},

        {E::CalculationPanel, "Panel3"},
        {E::FirstLabel, "L1"},
        {E::SecondLabel, "L2"},
        {E::ResultLabel, "LErg"},
        {E::FirstWhole, "Eg1", "Ganze Zahl des ersten Bruchs", leaveEmpty, Control::FirstWhole},
        {E::FirstNumerator, "Ez1", "Zähler des ersten Bruchs"_w, "", Control::FirstNumerator},
        {E::FirstBar, "Label4"},
        {E::FirstDenominator, "En1", "Nenner des ersten Bruchs", "Eingabetaste fragt nach der Rechenart",
         Control::FirstDenominator},
        {E::OperatorButton, "BB", "Rechenzeichen", "Rechnet die Aufgabe aus wie das Gleichheitszeichen"},
        {E::SecondWhole, "Eg2", "Ganze Zahl des zweiten Bruchs", leaveEmpty, Control::SecondWhole},
        {E::SecondNumerator, "Ez2", "Zähler des zweiten Bruchs"_w, "", Control::SecondNumerator},
        {E::SecondBar, "Label5"},
        {E::SecondDenominator, "En2", "Nenner des zweiten Bruchs", "", Control::SecondDenominator},
        {E::EqualsButton, "BBgleich", "Gleich: ausrechnen", "Trägt das Ergebnis ein und zeigt den Rechenweg"_w,
         Control::Equals, nullptr, "Gleich: prüfen"_w, "Prüft Dein Ergebnis und zeigt den Rechenweg"_w},
        {E::ResultWhole, "Eg", "Ergebnis: ganze Zahl", "", Control::ResultWhole},
        {E::ResultNumerator, "Ez", "Ergebnis: Zähler"_w, "", Control::ResultNumerator},
        {E::ResultBar, "Label6"},
        {E::ResultDenominator, "En", "Ergebnis: Nenner", "", Control::ResultDenominator},
        {E::Tip, "Label2", "Eingabetipp"},
        {E::TallyLabel, "Label8"},
        {E::EvaluationButton, "Button11", "Auswertung", "Zeigt, was richtig war und welche Fehler vorkamen"},
        {E::SaveButton, "Button9", "Speichern", "Speichert die Rechnungen als HTML-Datei"},
        {E::PrintButton, "Button8", "Drucken", "Druckvorschau der Rechnungen"},
        {E::ClearButton, "Button10", "Löschen"_w, "Löscht die gesammelten Rechnungen"_w},
        {E::ReadAloudButton, "ReadAloudButton", "Vorlesen",
         "Liest die Seite vor, beim Sammeln die neueste Rechnung; Alt+V. Noch einmal drücken oder Esc hält an."_w},
        {E::HintButton, "HintButton", "Tipp", "Hilft Schritt für Schritt bei dieser Aufgabe, ein Tipp je Druck; Taste F1"_w},
        {E::StepQuestion, "StepQuestion"},
        {E::StepAnswer, "StepAnswer", "Antwort auf die Frage des Tipps",
         "Eingabetaste prüft die Antwort, Esc schließt die Frage"_w},

        {E::View, "WebBrowser1", "Rechenweg"},

        // The page names its dialog by the dialog's caption.
        {E::OperatorDialog, "Form3", "Eingabe der Rechenart"},
        {E::DialogOperationGroup, "RadioGroup4", "", "", Control::Elsewhere, "Form3_RadioGroup4"},
        {E::OkButton, "Button1", "Ok", "Übernimmt die Rechenart; auch + - * : / wählen und bestätigen"_w,
         Control::Elsewhere, "Form3_Button1"},
    };
    static_assert(std::size(rows) == kElementCount);
    std::array<ElementNames, kElementCount> table;
    for (const ElementNames& row : rows) table[std::size_t(row.element)] = row;
    return table;
}

// Where the focus stands when it is on none of the flow's named controls.
constexpr const char* kExerciseControl = "ExerciseControl";
constexpr const char* kView = "View";
constexpr const char* kElsewhere = "Elsewhere";

}  // namespace

std::span<const ElementNames> ElementTable() {
    static const std::array<ElementNames, kElementCount> table = MakeTable();
    return table;
}

const ElementNames& NamesOf(Element element) { return ElementTable()[std::size_t(element)]; }

const char* ControlName(Control control) {
    switch (control) {
        case Control::ExerciseControl: return kExerciseControl;
        case Control::View: return kView;
        case Control::Elsewhere: return kElsewhere;
        default: break;
    }
    for (const ElementNames& row : ElementTable()) {
        if (row.control == control) return row.objectName;
    }
    return kElsewhere;
}

std::optional<Control> ControlNamed(std::string_view name) {
    if (name == kExerciseControl) return Control::ExerciseControl;
    if (name == kView) return Control::View;
    if (name == kElsewhere) return Control::Elsewhere;
    for (const ElementNames& row : ElementTable()) {
        if (row.control != Control::Elsewhere && name == row.objectName) return row.control;
    }
    return std::nullopt;
}

std::span<const std::string> OperatorDialogItems() {
    return std::span(OperationItems()).first(kMixedOperationRow);
}

}  // namespace quorvel
