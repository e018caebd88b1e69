#include <gtest/gtest.h>

#include "solution/walkthroughs.h"
#include "sheet_notation.h"
#include "solve.h"

namespace quorvel {
namespace {

using testing::Readable;
using testing::SheetFromNotation;

TEST(Addition, ExampleA_DefaultFields) {
    Solved run = Solve('+', {0, 7, 14}, {0, 18, 27});
    ExpectSolution(run, R"(
(heading line with the title Addition)
Aufgabe Bsp.) [n e]<br>
(block)
|      7    18|
|      —— + ——|
|      14   27|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
|   7    1               18   2|
|   —— = — (... mit 7)   —— = — (... mit 9) |
|   14   2               27   3|
(end of block)
*) Brüche erweitern auf kgV(2,3)=6 mit ...
(block)
|   1   3               2   4|
|   — = — (... mit 3)   — = — (... mit 2)|
|   2   6               3   6|
(end of block)
*) Zähler addieren, Nenner beibehalten
(block)
|   3   4   7    1|
|   — + — = — = 1—|
|   6   6   6    6|
(end of block)
Ergebnis kürzen, falls möglich.
(block)
|   (Kann nicht gekürzt werden.)|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedNumber{1, 1, 6}));
    EXPECT_EQ(run.solution.labels.first, "1. Summand");
    EXPECT_EQ(run.solution.labels.second, "2. Summand");
    EXPECT_EQ(run.solution.labels.result, "Summe");
}

TEST(Addition, ExampleB_MixedNumbers) {
    Solved run = Solve('+', {1, 10, 12}, {2, 2, 3}, "Gemischte Zahlen");
    ExpectSolution(run, R"(
(heading line with the title Addition)
Aufgabe Bsp.) [n g]<br>
(block)
|       10    2|
|      1—— + 2—|
|       12    3|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
|    10    5             |
|   1—— = 1— (... mit 2)   |
|    12    6             |
(end of block)
*) Brüche erweitern auf kgV(6,3)=6 mit ...
(block)
|    2    4|
|   2— = 2— (... mit 2)|
|    3    6|
(end of block)
*) Zähler addieren, Nenner beibehalten
,
   ganzzahlige Teile addieren
(block)
|    5    4    9    3|
|   1— + 2— = 3— = 4—|
|    6    6    6    6|
(end of block)
Ergebnis kürzen, falls möglich.
(block)
|    3    1|
|   4— = 4— (... mit 3) |
|    6    2|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedNumber{4, 1, 2}));
}

TEST(Subtraction, ExampleC_Borrowing) {
    Solved run = Solve('-', {3, 1, 4}, {1, 7, 12}, "Gemischte Zahlen");
    ExpectSolution(run, R"(
(heading line with the title Subtraktion)
Aufgabe Bsp.) [n g]<br>
(block)
|       1    7|
|      3— - 1——|
|       4    12|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
(end of block)
*) Brüche erweitern auf kgV(4,12)=12 mit ...
(block)
|    1    3 |
|   3— = 3—— (... mit 3)|
|    4    12|
(end of block)
*) Zähler subtrahieren, Nenner beibehalten
   ganzzahlige Teile subtrahieren
(block)
|    15    7     8|
|   2—— - 1—— = 1——|
|    12    12    12|
(end of block)
   Vorher Minuenden umformen:
(block)
|    3     15|
|   3—— = 2——|
|    12    12|
(end of block)
Ergebnis kürzen, falls möglich.
(block)
|    8     2|
|   1—— = 1— (... mit 4) |
|    12    3|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedNumber{1, 2, 3}));
    EXPECT_EQ(run.solution.labels.result, "Differenz");
}

TEST(Multiplication, ExampleA_MixedNumbers) {
    Solved run = Solve('*', {1, 1, 2}, {2, 2, 9}, "Gemischte Zahlen");
    ExpectSolution(run, R"(
(heading line with the title Multiplikation)
Aufgabe Bsp.) [n g]<br>
(block)
|       1    2|
|      1— * 2—|
|       2    9|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
(end of block)
*) Gemischte Zahl in unechten Bruch umwandeln:
(block)
|    1   3       2   20|
|   1— = —      2— = ——|
|    2   2       9   9|
(end of block)
*) Produkt=Zähler mal Zähler durch Nenner mal Nenner
(block)
|           3*20|
|   Produkt=————|
|           2*9|
(end of block)
*) Jetzt noch einmal über Kreuz kürzen, falls möglich
(block)
|   3   1             20   10|
|   — = — (... mit 3) —— = —— (... mit 2) |
|   9   3             2    1 |
(end of block)
(block)
|              10    1|
|*) Ergebnis = —— = 3—|
|              3     3|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedNumber{3, 1, 3}));
    EXPECT_EQ(run.solution.labels.result, "Produkt");
}

TEST(Division, ExampleB_MixedNumbers) {
    Solved run = Solve(':', {2, 1, 4}, {1, 1, 2}, "Gemischte Zahlen");
    ExpectSolution(run, R"(
(heading line with the title Division)
Aufgabe Bsp.) [n g]<br>
(block)
|       1    1|
|      2— : 1—|
|       4    2|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
(end of block)
*) Gemischte Zahl in unechten Bruch umwandeln:
(block)
|    1   9       1   3|
|   2— = —      1— = —|
|    4   4       2   2|
(end of block)
*) Quotient=1. Bruch * Kehrwert des 2. Bruchs
(block)
|            9*2|
|   Quotient=———|
|            4*3|
(end of block)
*) Jetzt noch einmal über Kreuz kürzen, falls möglich
(block)
|   9   3             2   1|
|   — = — (... mit 3) — = — (... mit 2) |
|   3   1             4   2|
(end of block)
(block)
|              3    1|
|*) Ergebnis = — = 1—|
|              2    2|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedNumber{1, 1, 2}));
    EXPECT_EQ(run.solution.labels.first, "Dividend");
    EXPECT_EQ(run.solution.labels.second, "Divisor");
    EXPECT_EQ(run.solution.labels.result, "Quotient");
}

}  // namespace
}  // namespace quorvel
