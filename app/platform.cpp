#include "app/platform.h"

#include <QFileDialog>
#include <QMessageBox>

#include "document/printpreview.h"

namespace quorvel {

namespace {

const char kCaption[] = "Quorvel";

// Message texts separate their lines by lone carriage returns.
QString Displayed(QString text) { return text.replace("\r\n", "\n").replace('\r', '\n'); }

}  // namespace

void DesktopServices::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kCaption, Displayed(text));
}

void DesktopServices::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, kCaption, Displayed(text));
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

bool DesktopServices::ShowPrintPreview(QWidget* parent, HtmlView& view) { return RunPrintPreview(parent, view); }

}  // namespace quorvel
