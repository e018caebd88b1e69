#include "document/helppages.h"

#include <QFile>

#include "fraction/cp1252.h"

namespace quorvel {

namespace {

// The pages are kept as UTF-8 files among the program's resources and
// turned into the document's code page when read.
std::string Page(const char* resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray utf8 = file.readAll();
    return cp1252::FromUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

}  // namespace

std::string InstructionsPage() { return Page(":/pages/instructions.html"); }
std::string HintsPage() { return Page(":/pages/hints.html"); }
std::string GcdLcmPage() { return Page(":/pages/gcdlcm.html"); }

}  // namespace quorvel
