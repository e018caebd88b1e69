// What must happen before the QApplication exists.
#pragma once

namespace quorvel {

// The browser engine refuses its sandbox as root: it is turned off for root
// only. Registers the view's URL scheme and sets the application attributes.
void PrepareApplication();

}  // namespace quorvel
