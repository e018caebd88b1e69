#include "document/messages.h"

#include "fraction/cp1252.h"

namespace quorvel {

namespace {

// Enough of a quoted text to recognise it; a message box holds no more.
constexpr std::size_t kQuotedLength = 40;

std::string Quoted(const std::string& text) {
    if (text.size() <= kQuotedLength) return "'" + text + "'";
    return "'" + text.substr(0, kQuotedLength) + "…'"_w;
}

}  // namespace

std::string MessageOf(const Error& error) {
    switch (error.Kind()) {
        case ErrorKind::DivisionByZero: return "Division durch Null";
        case ErrorKind::Overflow: return "Arithmetischer Überlauf"_w;
        case ErrorKind::NotAnInteger: return Quoted(error.Detail()) + " ist kein gültiger Integerwert"_w;
        case ErrorKind::UnknownOperation: return "Unbekannte Rechenart '" + error.Detail() + "'";
    }
    return error.what();
}

std::string MessageOf(const std::exception& exception) {
    if (const auto* error = dynamic_cast<const Error*>(&exception)) return MessageOf(*error);
    return exception.what();
}

std::string WriteFailureWords(WriteResult result) {
    switch (result) {
        case WriteResult::Written: return {};
        case WriteResult::NotWritten: return "Datei %1 kann nicht erstellt werden";
        case WriteResult::Damaged: return "Datei %1 wurde nur zum Teil geschrieben, ihr alter Inhalt ist verloren";
    }
    return {};
}

}  // namespace quorvel
