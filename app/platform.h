// What would block a test: message boxes, the general error box, the save
// dialog and the print preview. The window asks these services; tests
// install a recorder that answers at once.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace quorvel {

class HtmlView;

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
    // The chosen file name, or nothing when the dialog was cancelled.
    virtual std::optional<QString> AskSaveFileName(QWidget* parent, const SaveRequest& request) = 0;
    // Opens the print preview of the view's page; false if it could not be made.
    virtual bool ShowPrintPreview(QWidget* parent, HtmlView& view) = 0;
};

// The real dialogs.
class DesktopServices : public PlatformServices {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    std::optional<QString> AskSaveFileName(QWidget* parent, const SaveRequest& request) override;
    bool ShowPrintPreview(QWidget* parent, HtmlView& view) override;
};

}  // namespace quorvel
