// A well-behaved desktop program: German dialogs, an icon, the handwriting
// font, and names for screen readers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "app/operator_dialog.h"
#include "app/radiogroup.h"
#include "view/htmlview.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

TEST(Desktop, QtDialogsSpeakGerman) {
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save | QDialogButtonBox::Ok);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text().remove('&'), "Speichern");
    EXPECT_EQ(QLocale().language(), QLocale::German);
}

TEST(Desktop, WindowCarriesTheIcon) {
    Trainer t;
    EXPECT_FALSE(t.window->windowIcon().isNull());
    EXPECT_FALSE(t.window->windowIcon().pixmap(48, 48).isNull());
}

double Width(HtmlView& view, const char* family) {
    const QString script = QString("(function(){var s=document.createElement('span');s.style.fontFamily=\"%1\";"
                                   "s.style.fontSize='40px';s.textContent='Aufgabe Anleitung';document.body.appendChild(s);"
                                   "var w=s.getBoundingClientRect().width;s.remove();return w;})()")
                               .arg(family);
    return RunScript(view, script).toDouble();
}

TEST(Desktop, HandwritingFontsAreMappedToALookAlike) {
    Trainer t;
    HtmlView& view = *t.window->View();
    const double lookAlike = Width(view, "'Comic Neue'");
    const double plain = Width(view, "serif");
    ASSERT_GT(lookAlike, 0);
    EXPECT_NE(lookAlike, plain);
    EXPECT_DOUBLE_EQ(Width(view, "'Comic Sans MS'"), lookAlike);
    EXPECT_DOUBLE_EQ(Width(view, "'Lucida Handwriting'"), lookAlike);
}

// Every control a pupil can focus or click, found through the accessibility
// interface, as a screen reader sees it.
void Collect(QAccessibleInterface* node, QStringList& names, QStringList& unnamed) {
    if (!node || node->state().invisible) return;
    const QAccessible::Role role = node->role();
    const bool interactive = node->state().focusable || role == QAccessible::PushButton ||
                             role == QAccessible::RadioButton || role == QAccessible::EditableText;
    if (interactive && node->object() && node->object()->isWidgetType()) {
        const QString name = node->text(QAccessible::Name);
        if (name.trimmed().isEmpty()) {
            unnamed << node->object()->objectName();
        } else {
            names << name;
        }
    }
    for (int i = 0; i < node->childCount(); ++i) Collect(node->child(i), names, unnamed);
}

void ExpectNamedAndDistinct(QWidget* window, const char* screen) {
    QStringList names, unnamed;
    Collect(QAccessible::queryAccessibleInterface(window), names, unnamed);
    EXPECT_TRUE(unnamed.isEmpty()) << screen << ": " << unnamed.join(", ").toStdString();
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size())
        << screen << ": " << names.join(", ").toStdString();
    EXPECT_GE(names.size(), 5) << screen;
}

TEST(Desktop, EveryControlHasADistinctGermanName) {
    Trainer t;
    ExpectNamedAndDistinct(t.window.get(), "settings");
    t.Start();
    ExpectNamedAndDistinct(t.window.get(), "exercise");
    EXPECT_EQ(t.Field("Ez1")->accessibleName(), QString::fromUtf8("Zähler des ersten Bruchs"));
    EXPECT_EQ(t.Field("Eg")->accessibleName(), "Ergebnis: ganze Zahl");
    EXPECT_EQ(t.Button("BB6")->accessibleName(), "Neue Aufgabe");
    // A click ticks the box before the model hears of it; the names follow the model.
    t.Button("Button5")->click();
    for (bool on : {true, false}) {
        t.Find<QCheckBox>("CheckBox1")->click();
        EXPECT_EQ(t.Button("BBgleich")->accessibleName(), on ? QString::fromUtf8("Gleich: prüfen") : "Gleich: ausrechnen");
    }

    OperatorDialog* dialog = t.window->Dialog();
    dialog->show();
    ExpectNamedAndDistinct(dialog, "dialog");
    dialog->hide();
}

TEST(Desktop, TabFollowsTheTypingFlow) {
    Trainer t;
    t.Start();
    QWidget* widget = t.Field("Enr");
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        order << widget->objectName();
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !(widget->focusPolicy() & Qt::TabFocus)) widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, (QStringList{"Enr", "Eg1", "Ez1", "En1", "Eg2", "Ez2", "En2", "BBgleich"}));
}

// "Vorlesen" and Alt+V give the voice the page's German words; the button
// stays pressed while it reads, and a second press stops it.
TEST(Desktop, ReadAloudGivesTheVoiceThePageAndStops) {
    Trainer t;
    t.Start();
    auto* button = t.Find<QPushButton>("ReadAloudButton");
    ASSERT_TRUE(button);
    t.Find<QPushButton>("BBgleich")->click();  // the example 7/14 + 18/27
    t.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
    QTest::keyClick(t.window->windowHandle(), Qt::Key_V, Qt::AltModifier);  // as the system sends it
    // A mnemonic clicks as the eye can follow, a moment later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.services.spoken.size() == 1; }));
    EXPECT_TRUE(t.services.spoken[0].contains(QString::fromUtf8("Sieben Vierzehntel plus achtzehn Siebenundzwanzigstel.")))
        << t.services.spoken[0].left(200).toStdString();
    EXPECT_TRUE(button->isChecked());
    button->click();
    EXPECT_EQ(t.services.speechStops, 1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(button->isChecked());
}

}  // namespace
}  // namespace quorvel::testing
