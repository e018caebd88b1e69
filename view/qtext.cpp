#include "view/qtext.h"

#include "fraction/cp1252.h"

namespace quorvel {

QString ToQString(std::string_view cp1252Text) {
    QString out;
    out.reserve(qsizetype(cp1252Text.size()));
    for (char c : cp1252Text) out.append(QChar(char16_t(cp1252::ToUnicode(static_cast<unsigned char>(c)))));
    return out;
}

std::string FromQString(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;  // one character
        int byte = c.isSurrogate() ? -1 : cp1252::FromUnicode(c.unicode());
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return out;
}

}  // namespace quorvel
