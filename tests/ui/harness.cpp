#include "harness.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "app/radiogroup.h"
#include "exercise/settings.h"
#include "view/await.h"
#include "view/htmlview.h"

namespace quorvel::testing {

namespace {
constexpr int kLoadTimeoutMs = 60000;
}

Trainer::Trainer() {
    window = std::make_unique<TrainerWindow>(services);
    QSignalSpy loaded(window->View(), &HtmlView::DocumentLoaded);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) ADD_FAILURE() << "window not exposed";
    if (loaded.isEmpty() && !loaded.wait(kLoadTimeoutMs)) ADD_FAILURE() << "instructions page not loaded";
}

Trainer::~Trainer() = default;

bool Trainer::LoadAfter(const std::function<void()>& action) {
    QSignalSpy loaded(window->View(), &HtmlView::DocumentLoaded);
    action();
    if (loaded.isEmpty() && !loaded.wait(kLoadTimeoutMs)) return false;
    return loaded.first().value(0).toBool();
}

bool Trainer::ClickAndLoad(const char* button) {
    return LoadAfter([&] { QTest::mouseClick(Button(button), Qt::LeftButton); });
}

void Trainer::Start() {
    ClickAndLoad("Button2");
    QApplication::processEvents();
}

void Trainer::Enter(const char* whole1, const char* numerator1, const char* denominator1, const char* op,
                    const char* whole2, const char* numerator2, const char* denominator2) {
    Field("Eg1")->setText(whole1);
    Field("Ez1")->setText(numerator1);
    Field("En1")->setText(denominator1);
    Field("Eg2")->setText(whole2);
    Field("Ez2")->setText(numerator2);
    Field("En2")->setText(denominator2);
    auto* operation = Find<RadioGroup>("RadioGroup4");
    operation->SetItemIndex(RowOfOperator(op[0]));
}

void Trainer::Press(QWidget* target, Qt::Key key) {
    target->setFocus();
    QTest::keyClick(target, key);
}

void Trainer::Type(QWidget* target, const QString& text) {
    target->setFocus();
    for (QChar c : text) QTest::keyClick(target->window()->focusWidget(), c.toLatin1());
}

QString Trainer::Result() const {
    return Field("Eg")->text() + "|" + Field("Ez")->text() + "|" + Field("En")->text();
}

// Without the spoken forms the view gives the blocks: they are not the document's.
QString PageHtml(HtmlView& view) {
    static const QRegularExpression spoken(R"( role="math" aria-label="[^"]*")");
    return AwaitAnswer<QString>(view, [&](auto done) { view.page()->toHtml(done); }, kLoadTimeoutMs)
        .value_or(QString())
        .remove(spoken);
}

QString PageText(HtmlView& view) {
    return AwaitAnswer<QString>(view, [&](auto done) { view.page()->toPlainText(done); }, kLoadTimeoutMs)
        .value_or(QString());
}

QVariant RunScript(HtmlView& view, const QString& script) {
    return AwaitAnswer<QVariant>(
               view, [&](auto done) { view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, done); },
               kLoadTimeoutMs)
        .value_or(QVariant());
}


QString HtmlOf(const std::string& document) {
    HtmlView reference;
    QSignalSpy loaded(&reference, &HtmlView::DocumentLoaded);
    reference.ShowDocument(document);
    if (!loaded.wait(kLoadTimeoutMs)) return "(reference page not loaded)";
    return PageHtml(reference);
}

}  // namespace quorvel::testing
