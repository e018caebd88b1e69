#include "app/platform.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextToSpeech>
#include <algorithm>
#include <exception>
#include <utility>
#include <functional>

#include "document/messages.h"
#include "view/qtext.h"
#include "view/printpreview.h"
#include "view/saving.h"

namespace quorvel {

namespace {

const char kCaption[] = "Quorvel";

// Message texts separate their lines by lone carriage returns.
QString Displayed(QString text) { return text.replace("\r\n", "\n").replace('\r', '\n'); }

}  // namespace

void Guarded(PlatformServices& services, QWidget* parent, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        services.ShowError(parent, ToQString(MessageOf(e) + "."));
    }
}

void DesktopServices::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kCaption, Displayed(text));
}

void DesktopServices::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, kCaption, Displayed(text));
}

bool DesktopServices::AskYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kCaption, Displayed(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> DesktopServices::AskSaveFileName(QWidget* parent, const SaveRequest& request) {
    QFileDialog dialog(parent, "Speichern unter", request.suggestedName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.filters.value(0));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Qt's own dialog: a desktop's dialog keeps lists of recent files and
    // folders of its own.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.suggestedName.isEmpty()) dialog.selectFile(request.suggestedName);
    while (dialog.exec() == QDialog::Accepted) {
        const QString fileName = dialog.selectedFiles().value(0);
        if (fileName.isEmpty()) continue;
        if (QFileInfo::exists(fileName)) return fileName;  // replaced without a question
        // Creating a new file is confirmed first.
        const auto answer = QMessageBox::question(
            &dialog, dialog.windowTitle(),
            QString("%1 existiert nicht.\nSoll die Datei erstellt werden?").arg(QFileInfo(fileName).fileName()));
        if (answer == QMessageBox::Yes) return fileName;
    }
    return std::nullopt;
}

void SavePdf(PlatformServices& services, QWidget* parent, const QByteArray& pdf) {
    const SaveRequest request{{}, {"PDF (*.pdf)", "Alle Dateien (*.*)"}, "pdf"};
    const std::optional<QString> fileName = services.AskSaveFileName(parent, request);
    if (!fileName) return;
    const QString failure =
        WriteFailure(WriteFile(*fileName, std::string_view(pdf.constData(), std::size_t(pdf.size()))), *fileName);
    if (!failure.isEmpty()) services.ShowError(parent, failure + ".");
}

bool DesktopServices::ShowPrintPreview(QWidget* parent, const QByteArray& pdf) {
    PrintPreview preview(pdf, parent);
    if (!preview.IsValid()) return false;
    QObject::connect(&preview, &PrintPreview::SaveRequested, &preview,
                     [&] { Guarded(*this, &preview, [&] { SavePdf(*this, &preview, pdf); }); });
    QObject::connect(&preview, &PrintPreview::PrintRequested, &preview,
                     [&] { Guarded(*this, &preview, [&] { PrintPages(preview); }); });
    preview.exec();
    return true;
}

void DesktopServices::PrintPages(PrintPreview& preview) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, &preview);
    dialog.setMinMax(1, preview.PageCount());
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintPdf(preview.Document(), printer)) ShowMessage(&preview, "Drucken fehlgeschlagen");
}

// ---- reading aloud ----

DesktopServices::DesktopServices() = default;
DesktopServices::~DesktopServices() = default;

bool DesktopServices::Speak(const QString& words, std::function<void()> finished) {
    if (!voiceLooked_) {
        voiceLooked_ = true;
        // The speech service's engine reads German with the voice the
        // system has for it; without one nothing is read at all.
        auto voice = std::make_unique<QTextToSpeech>();
        const QList<QLocale> locales = voice->availableLocales();
        const auto german = std::find_if(locales.begin(), locales.end(),
                                         [](const QLocale& l) { return l.language() == QLocale::German; });
        if (voice->state() != QTextToSpeech::Error && german != locales.end()) {
            voice->setLocale(*german);
            // A reading ends when the voice is ready again after it has
            // spoken: a late "ready" of a reading stopped before is not
            // the end of the next one.
            QObject::connect(voice.get(), &QTextToSpeech::stateChanged, voice.get(), [this](QTextToSpeech::State state) {
                if (state == QTextToSpeech::Speaking) speakingSeen_ = true;
                if ((state == QTextToSpeech::Ready && speakingSeen_) || state == QTextToSpeech::Error) Finished();
            });
            voice_ = std::move(voice);
        }
    }
    if (!voice_ || voice_->state() == QTextToSpeech::Error) return false;
    Finished();  // a reading under way ends before the next begins
    finished_ = std::move(finished);
    speakingSeen_ = false;
    voice_->say(words);
    return true;
}

void DesktopServices::StopSpeaking() {
    if (voice_) voice_->stop();
    Finished();
}

void DesktopServices::Finished() {
    if (auto finished = std::exchange(finished_, nullptr)) finished();
}

}  // namespace quorvel
