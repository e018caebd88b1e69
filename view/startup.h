// What must happen before the QApplication exists.
#pragma once

class QCoreApplication;

namespace quorvel {

// The browser engine refuses its sandbox as root: it is turned off for root
// only. Registers the view's URL scheme, sets the application attributes
// and keeps Qt's dialogs from storing anything for the next run.
void PrepareApplication();

// For programs and tests that use the engine without a screen: the offscreen
// platform and no GPU, unless the environment says otherwise.
void UseOffscreenEngine();

// Qt's own dialogs and buttons speak German, whatever the machine's language:
// installs Qt's German translations into application. True if they were found.
bool InstallGermanTranslations(QCoreApplication& application);

}  // namespace quorvel
