// The print preview of the page the view shows.
#pragma once

class QPrinter;
class QWidget;

namespace quorvel {

class HtmlView;

// Prints the view's page to printer and waits until the engine has laid it
// out; true on success.
bool PrintView(HtmlView& view, QPrinter& printer);

// Opens the print preview dialog of the view's page (modal). False if the
// preview could not be made.
bool RunPrintPreview(QWidget* parent, HtmlView& view);

}  // namespace quorvel
