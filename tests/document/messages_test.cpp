#include <gtest/gtest.h>

#include <stdexcept>

#include "document/messages.h"
#include "fraction/cp1252.h"

namespace quorvel {
namespace {

TEST(Messages, EachKindInItsOwnWords) {
    const struct {
        Error error;
        std::string words;
    } cases[] = {
        {DivisionByZero(), "Division durch Null"},
        {ArithmeticOverflow(), "Arithmetischer Überlauf"_w},
        {ConversionError("12x"), "'12x' ist kein gültiger Integerwert"_w},
        {ConversionError(std::string(40, '7')), "'" + std::string(40, '7') + "' ist kein gültiger Integerwert"_w},
        {ConversionError(std::string(41, '7')), "'" + std::string(40, '7') + "…' ist kein gültiger Integerwert"_w},
        {Error(ErrorKind::UnknownOperation, "%"), "Unbekannte Rechenart '%'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf(c.error), c.words);
        // Caught as any exception, as the front ends catch them.
        EXPECT_EQ(MessageOf(static_cast<const std::exception&>(c.error)), c.words);
    }
    // A fault of the program keeps its own text.
    EXPECT_EQ(MessageOf(std::out_of_range("no such row")), "no such row");
}

TEST(Messages, FailedWritesNameTheFile) {
    EXPECT_EQ(WriteFailureWords(WriteResult::Written), "");
    EXPECT_EQ(WriteFailureWords(WriteResult::NotWritten), "Datei %1 kann nicht erstellt werden");
    EXPECT_EQ(WriteFailureWords(WriteResult::Damaged),
              "Datei %1 wurde nur zum Teil geschrieben, ihr alter Inhalt ist verloren");
}

}  // namespace
}  // namespace quorvel
