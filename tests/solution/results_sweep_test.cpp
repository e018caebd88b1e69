// Sweeps many operands through all four operations and checks every result,
// and the last value each walkthrough draws, against exact rational
// arithmetic done here independently.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <optional>

#include "solution/walkthroughs.h"
#include "sheet_notation.h"

namespace quorvel {
namespace {

struct Rational {
    std::int64_t num;
    std::int64_t den;  // positive, lowest terms
    static Rational Of(std::int64_t n, std::int64_t d) {
        if (d < 0) n = -n, d = -d;
        std::int64_t g = std::gcd(n, d);
        return {n / g, d / g};
    }
    friend bool operator==(const Rational&, const Rational&) = default;
};

Rational ValueOf(const MixedNumber& m) {
    return Rational::Of(std::int64_t(m.whole) * m.denominator + m.numerator, m.denominator);
}

Rational Exact(char op, Rational a, Rational b) {
    switch (op) {
        case '+': return Rational::Of(a.num * b.den + b.num * a.den, a.den * b.den);
        case '-': return Rational::Of(a.num * b.den - b.num * a.den, a.den * b.den);
        case '*': return Rational::Of(a.num * b.num, a.den * b.den);
        default: return Rational::Of(a.num * b.den, a.den * b.num);
    }
}

std::optional<std::int64_t> Number(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty()) return std::nullopt;
    return std::stoll(text);
}

// The value of the last fraction drawn in a block: the bar run at the end of
// the middle row with the numbers above and below it and the whole part in
// front ("-1+ " adds a signed fraction, and so does a whole part before a
// negative numerator; "-1" before a positive numerator is a negative mixed
// number).
std::optional<Rational> LastDrawnValue(const std::string& top, const std::string& middle, const std::string& bottom) {
    std::size_t end = middle.find_last_of(kBar);
    if (end == std::string::npos) return std::nullopt;
    std::size_t begin = end;
    while (begin > 0 && middle[begin - 1] == kBar) --begin;
    auto column = [&](const std::string& row) {
        return begin < row.size() ? row.substr(begin, end + 1 - begin) : std::string();
    };
    std::int64_t n = Number(column(top)).value();
    std::int64_t d = Number(column(bottom)).value();
    std::string before = middle.substr(0, begin);
    std::size_t eq = before.find_last_of('=');
    std::string wholeText = eq == std::string::npos ? before : before.substr(eq + 1);
    // Whole parts drawn in a row of several fractions stand right before the bar.
    std::size_t cut = wholeText.find_last_of(kBar);
    if (cut != std::string::npos) wholeText = wholeText.substr(cut + 1);
    bool additive = wholeText.find('+') != std::string::npos;
    if (additive) wholeText = wholeText.substr(0, wholeText.find('+'));
    std::int64_t w = Number(wholeText).value_or(0);
    if (w < 0 && !additive && n > 0) n = -n;
    return Rational::Of(w * d + n, d);
}

// The value the walkthrough ends on: the last block with a fraction in it,
// leaving out the block that explains the borrowing.
std::optional<Rational> WalkthroughValue(const std::vector<std::string>& l) {
    for (std::size_t i = l.size(); i-- > 0;) {
        if (l[i] != testing::kOpening) continue;
        if (i > 0 && l[i - 1] == "   Vorher Minuenden umformen:") continue;
        std::vector<std::string> rows;
        for (std::size_t k = i + 1; l[k] != "</pre>"; ++k) rows.push_back(l[k]);
        if (rows.size() != 3) continue;  // blank rows were removed: nothing drawn
        if (auto v = LastDrawnValue(rows[0], rows[1], rows[2])) return v;
    }
    return std::nullopt;
}

TEST(ResultsSweep, EveryResultIsExactAndTheWalkthroughEndsOnIt) {
    std::uint32_t state = 12345;
    auto next = [&](int lo, int hi) {
        state = state * 1103515245u + 12345u;
        return lo + int((state >> 8) % std::uint32_t(hi - lo + 1));
    };
    auto operand = [&]() {
        MixedNumber m;
        m.whole = next(0, 3) == 0 ? next(-3, 4) : 0;
        m.numerator = next(-14, 20);
        m.denominator = next(0, 9) == 0 ? -next(1, 12) : next(1, 24);
        if (m.whole < 0) m.numerator = -std::abs(m.numerator);
        if (m.whole > 0) m.numerator = std::abs(m.numerator);
        return m;
    };
    int checked = 0;
    for (int i = 0; i < 6000; ++i) {
        MixedNumber a = operand();
        MixedNumber b = operand();
        for (char op : {'+', '-', '*', ':'}) {
            Rational ra = ValueOf(a), rb = ValueOf(b);
            if (op == ':' && rb.num == 0) continue;
            Walkthrough solution;
            solution.context.operatorCaption = std::string(1, op);
            MixedNumber r = Evaluate(op, solution, a, b);
            RemoveBlankLines(solution.lines);
            SCOPED_TRACE(::testing::Message() << a.whole << " " << a.numerator << "/" << a.denominator << " " << op
                                              << " " << b.whole << " " << b.numerator << "/" << b.denominator);
            Rational expected = Exact(op, ra, rb);
            ASSERT_EQ(ValueOf(r), expected);
            ASSERT_GT(r.denominator, 0);
            ASSERT_LT(std::abs(r.numerator), r.denominator);
            ASSERT_TRUE(r.whole == 0 || r.numerator == 0 || (r.whole < 0) == (r.numerator < 0));
            if (r.numerator == 0) {
                ASSERT_EQ(r.denominator, 1);
            }
            if (r.numerator != 0) {
                ASSERT_EQ(std::gcd(r.numerator, r.denominator), 1);
            }
            std::optional<Rational> drawn = WalkthroughValue(solution.lines.Lines());
            ASSERT_TRUE(drawn.has_value()) << testing::Readable(solution.lines.Lines());
            ASSERT_EQ(*drawn, expected) << testing::Readable(solution.lines.Lines());
            ++checked;
        }
    }
    EXPECT_GT(checked, 20000);
}

}  // namespace
}  // namespace quorvel
