#include <gtest/gtest.h>

#include "entry/conversion.h"
#include "fraction/errors.h"

namespace quorvel {
namespace {

TEST(ConvertInteger, AcceptsDecimalAndHexadecimalForms) {
    struct Case { const char* text; Int value; };
    const Case cases[] = {
        {"0", 0},           {"42", 42},          {"  42", 42},        {"+7", 7},         {"-7", -7},
        {"-0", 0},          {"007", 7},          {"2147483647", 2147483647},          {"-2147483648", -2147483647 - 1},
        {"$10", 16},        {"x1f", 31},         {"X1F", 31},         {"0x1F", 31},      {"0XfF", 255},
        {"$FFFFFFFF", -1},  {"$7FFFFFFF", 2147483647},                {"  $A", 10},      {"00000000000000005", 5},
    };
    for (const auto& c : cases) {
        auto value = TryConvertInteger(c.text);
        ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
    }
}

TEST(ConvertInteger, RefusesEverythingElse) {
    for (const char* text : {"", " ", "+", "-", "42 ", "4 2", "3x", "x", "$", "0x", "-$10", "+0x10", "$123456789",
                             "2147483648", "-2147483649", "99999999999", "1e3", "\t5", "1.0", "0x-1", "$G"}) {
        EXPECT_FALSE(TryConvertInteger(text).has_value()) << '"' << text << '"';
    }
    EXPECT_THROW(ConvertInteger("abc"), ConversionError);
}

}  // namespace
}  // namespace quorvel
