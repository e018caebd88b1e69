// What would block a test: message boxes, the general error box, the save
// dialog and the print preview. The window asks these services; tests
// install a recorder that answers at once.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QTextToSpeech;
class QWidget;

namespace quorvel {

class PrintPreview;

struct SaveRequest {
    QString suggestedName;  // the file name chosen last, if any
    QStringList filters;    // the first one preselected
    QString defaultSuffix;  // without the point
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;
    // An information box with one OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The general error box, captioned with the program's name.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // A question with "Ja" and "Nein", "Nein" the default; true for "Ja".
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // The chosen file name, or nothing when the dialog was cancelled.
    virtual std::optional<QString> AskSaveFileName(QWidget* parent, const SaveRequest& request) = 0;
    // Opens the print preview of pdf, the page as the engine printed it;
    // false if it cannot be shown.
    virtual bool ShowPrintPreview(QWidget* parent, const QByteArray& pdf) = 0;
    // Reads German words aloud; finished is called once when the reading
    // has ended or been stopped. False, and finished never called, if there
    // is no German voice to read with.
    virtual bool Speak(const QString& /*words*/, std::function<void()> /*finished*/) { return false; }
    virtual void StopSpeaking() {}
};

// "Als PDF speichern" in the print preview: asks services for a file name and
// writes pdf; the error box when the file cannot be written.
void SavePdf(PlatformServices& services, QWidget* parent, const QByteArray& pdf);

// The real dialogs.
class DesktopServices : public PlatformServices {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    std::optional<QString> AskSaveFileName(QWidget* parent, const SaveRequest& request) override;
    bool ShowPrintPreview(QWidget* parent, const QByteArray& pdf) override;
    // Through the platform's speech service, with its German voice.
    bool Speak(const QString& words, std::function<void()> finished) override;
    void StopSpeaking() override;

    DesktopServices();
    ~DesktopServices() override;

private:
    void PrintPages(PrintPreview& preview);
    void Finished();

    std::unique_ptr<QTextToSpeech> voice_;  // made when first asked to speak
    bool voiceLooked_ = false;
    std::function<void()> finished_;  // of the reading under way
    bool speakingSeen_ = false;       // the voice has begun the reading under way
};

// Runs an action of a window; what escapes it is shown in the general error
// box, so that nothing crosses Qt's event loop.
void Guarded(PlatformServices& services, QWidget* parent, const std::function<void()>& action);

}  // namespace quorvel
