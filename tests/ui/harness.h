// Drives the real main window offscreen: a recorder answers the dialogs, and
// helpers wait for the view with its signal and read its page back.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QVariant>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/trainer_window.h"
#include "app/platform.h"

namespace quorvel::testing {

class RecordingServices : public PlatformServices {
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    void ShowError(QWidget*, const QString& text) override { errors << text; }
    bool AskYesNo(QWidget*, const QString& text) override {
        questions << text;
        return yes;
    }
    std::optional<QString> AskSaveFileName(QWidget*, const SaveRequest& request) override {
        saveRequests.push_back(request);
        return saveAnswer;
    }
    bool ShowPrintPreview(QWidget*, const QByteArray& pdf) override {
        ++previews;
        this->pdf = pdf;
        return onPreview ? onPreview(pdf) : true;
    }
    bool Speak(const QString& words, std::function<void()> finished) override {
        spoken << words;
        speechEnd = std::move(finished);
        return true;
    }
    void StopSpeaking() override {
        ++speechStops;
        if (auto end = std::exchange(speechEnd, nullptr)) end();
    }

    QStringList messages;
    QStringList errors;
    QStringList questions;
    bool yes = false;  // the answer to every question
    std::optional<QString> saveAnswer;
    std::vector<SaveRequest> saveRequests;
    int previews = 0;
    QByteArray pdf;  // of the last preview
    std::function<bool(const QByteArray&)> onPreview;
    QStringList spoken;                // what was given to the voice
    std::function<void()> speechEnd;   // ends the reading under way
    int speechStops = 0;
};

// The window after its first paint has shown the instructions page.
struct Trainer {
    RecordingServices services;
    std::unique_ptr<TrainerWindow> window;

    Trainer();
    ~Trainer();

    template <class T = QWidget>
    T* Find(const char* name) const {
        return window->findChild<T*>(name);
    }
    QLineEdit* Field(const char* name) const { return Find<QLineEdit>(name); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }

    // Runs action and waits until the view has loaded the page it started.
    bool LoadAfter(const std::function<void()>& action);
    // Clicks a button and waits for the page it shows.
    bool ClickAndLoad(const char* button);
    // "Start": the exercise screen.
    void Start();
    // Types an operand into its three fields and the operator on BB.
    void Enter(const char* whole1, const char* numerator1, const char* denominator1, const char* op,
               const char* whole2, const char* numerator2, const char* denominator2);
    // Keys go to the focused control, as the pupil types them.
    void Press(QWidget* target, Qt::Key key);
    void Type(QWidget* target, const QString& text);
    // The result fields as "whole|numerator|denominator".
    QString Result() const;
};

// The DOM of the page in a view, serialised by the engine, without the
// spoken forms the view gives its blocks.
QString PageHtml(HtmlView& view);
QString PageText(HtmlView& view);
// Runs a script in the program's own world of the page (the page's own
// scripts stay off) and returns its result.
QVariant RunScript(HtmlView& view, const QString& script);
// The DOM the engine builds from these document bytes, in a view of its own.
QString HtmlOf(const std::string& document);

}  // namespace quorvel::testing
