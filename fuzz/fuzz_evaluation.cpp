// Six field texts, read as the "=" action reads them and evaluated with all
// four operations: every result is the exact value (checked here in 128-bit
// arithmetic) in lowest terms, or the evaluation raises one of the
// program's own errors.
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "entry/evaluation.h"
#include "fraction/errors.h"

namespace {

using quorvel::MixedNumber;
using quorvel::OperandFields;
using i128 = __int128;

struct Exact {
    i128 num, den;
};

i128 Gcd(i128 a, i128 b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        i128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

Exact Of(i128 num, i128 den) {
    if (den < 0) num = -num, den = -den;
    i128 g = Gcd(num, den);
    if (g == 0) return {num, den};
    return {num / g, den / g};
}

Exact Value(const MixedNumber& m) { return Of(i128(m.whole) * m.denominator + m.numerator, m.denominator); }

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> fields(6);
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && field < 6; ++i) {
        if (data[i] == '\n') {
            ++field;
        } else {
            fields[field] += char(data[i]);
        }
    }
    for (char op : {'+', '-', '*', ':'}) {
        OperandFields first{fields[0], fields[1], fields[2]};
        OperandFields second{fields[3], fields[4], fields[5]};
        quorvel::Walkthrough solution;
        solution.context.operatorCaption = std::string(1, op);
        quorvel::Evaluation e;
        try {
            e = quorvel::EvaluateExercise(first, second, 1, solution);
        } catch (const quorvel::Error&) {
            continue;  // one of the program's own errors
        }
        if (e.outcome != quorvel::EvaluationOutcome::Solved) continue;
        // The rewritten fields read again as the same operands.
        OperandFields again = first;
        const MixedNumber reread = quorvel::ReadOperand(again);
        Check(reread == e.first);

        const Exact a = Value(e.first), b = Value(e.second);
        Exact expected{};
        switch (op) {
            case '+': expected = Of(a.num * b.den + b.num * a.den, a.den * b.den); break;
            case '-': expected = Of(a.num * b.den - b.num * a.den, a.den * b.den); break;
            case '*': expected = Of(a.num * b.num, a.den * b.den); break;
            case ':': Check(b.num != 0); expected = Of(a.num * b.den, a.den * b.num); break;
        }
        const MixedNumber& r = e.result;
        const Exact got = Value(r);
        Check(got.num == expected.num && got.den == expected.den);
        Check(r.denominator > 0);
        Check((r.numerator < 0 ? -i128(r.numerator) : i128(r.numerator)) < r.denominator);
        Check(r.whole == 0 || r.numerator == 0 || (r.whole < 0) == (r.numerator < 0));
        Check(r.numerator != 0 || r.denominator == 1);
        Check(r.numerator == 0 || std::gcd(std::int64_t(r.numerator), std::int64_t(r.denominator)) == 1);
    }
    return 0;
}
