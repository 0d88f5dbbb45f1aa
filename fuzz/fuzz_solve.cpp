// A whole solve, the way the window runs it, over a small worksheet of arbitrary texts.
//
// Input: byte 0 chooses n (2 to 6), byte 1 the decimal separator ("," or "." themselves,
// otherwise its low bit), byte 2 the state the matrices are in (see below) and the order of
// the methods; in the "odd bounds" state six more bytes give the rows and columns of A, B and C.
// The rest, split on "|", gives the body cells in reading order: a piece that starts with "=" is
// the cell's text as it stands; otherwise its first byte picks a numeric-looking text built from
// the bytes after it (a small whole number, a decimal, a power of ten, a copy of the cell above,
// raw text). Missing pieces leave the cell empty.
//
// Matrix states: dimensioned for n; dimensioned for a smaller n or never (a failed set-up
// left the old bounds); dimensioned for a larger n and used by one solve there (the
// worksheet was shrunk); bounds chosen freely for each matrix.
//
// Checked: only the run-time errors Overflow, SubscriptOutOfRange, DivisionByZero and TypeMismatch
// come out, and none out of the Gauss-Jordan method once the worksheet has been read; every element
// of A, B and C is finite at all times; a Gauss-Jordan solve leaves B and C as they were; repeating
// a Choleski solve that succeeded gives the same factors and solution; and every step, including
// the partial results after an error, agrees bit for bit with LiteralSolver;
// so does the step record of the same solve, made beside it, in its outcome and in the matrices
// it ends with.
#include "Finding.h"
#include "LiteralSolver.h"
#include "MemorySheet.h"
#include "SameBits.h"

#include "solver/NumberText.h"
#include "solver/RuntimeError.h"
#include "solver/Solver.h"
#include "steps/StepTrace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using solver::RuntimeError;
using solver::SingleMatrix;
using solver::Solver;
using Outcome = Solver::GaussJordanOutcome;

namespace {

constexpr int maxN = 6;

class Bytes
{
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string_view rest() const
    {
        return {reinterpret_cast<const char*>(data_) + pos_, size_ - std::min(pos_, size_)};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string decimalText(int value, int places, char separator)
{
    std::string digits = std::to_string(std::abs(value));
    if (places > 0) {
        if (int(digits.size()) <= places)
            digits.insert(0, std::size_t(places + 1 - int(digits.size())), '0');
        digits.insert(digits.size() - std::size_t(places), 1, separator);
    }
    return (value < 0 ? "-" : "") + digits;
}

std::string cellText(std::string_view piece, const std::string& above, char separator)
{
    if (piece.empty())
        return {};
    if (piece[0] == '=')
        return std::string(piece.substr(1));
    const auto byte = [&](std::size_t i) { return i < piece.size() ? std::uint8_t(piece[i]) : 0; };
    switch (byte(0) % 6) {
    case 0:
        return std::to_string(byte(1) % 5 - 2);
    case 1:
        return std::to_string(std::int8_t(byte(1)));
    case 2:
        return decimalText(std::int16_t(byte(1) | byte(2) << 8), byte(3) % 4, separator);
    case 3:
        return std::to_string(std::int8_t(byte(1))) + "E" + std::to_string(byte(2) % 91 - 45);
    case 4:
        return above;
    default:
        return std::string(piece.substr(1));
    }
}

// The worksheet laid out for `size` equations, headers included (they are never read).
MemorySheet makeSheet(int size, std::string_view cells, char separator)
{
    MemorySheet sheet;
    sheet.cells[{0, 0}] = "1,1";
    for (int j = 1; j <= size; ++j)
        sheet.cells[{0, j}] = "X" + std::to_string(j);
    sheet.cells[{0, size + 1}] = "T.I";
    for (int i = 1; i <= size; ++i)
        sheet.cells[{i, 0}] = "EQ" + std::to_string(i);
    for (int i = 1; i <= size; ++i) {
        for (int j = 1; j <= size + 1; ++j) {
            const std::size_t bar = cells.find('|');
            const std::string_view piece = cells.substr(0, bar);
            cells = bar == std::string_view::npos ? std::string_view{} : cells.substr(bar + 1);
            const std::string above = i > 1 ? sheet.TextMatrix(i - 1, j) : "1";
            const std::string text = cellText(piece, above, separator);
            if (!text.empty())
                sheet.cells[{i, j}] = text;
        }
    }
    return sheet;
}

bool fitsFor(const SingleMatrix& m, int n)
{
    return m.rows() >= n && m.cols() >= n + 1;
}

bool sameValues(const SingleMatrix& a, const SingleMatrix& b)
{
    if (a.rows() != b.rows() || a.cols() != b.cols())
        return false;
    for (int r = 0; r < a.rows(); ++r)
        for (int c = 0; c < a.cols(); ++c)
            if (a.at(r, c) != b.at(r, c))
                return false;
    return true;
}

void checkFinite(const SingleMatrix& m, const char* name)
{
    for (int r = 0; r < m.rows(); ++r)
        for (int c = 0; c < m.cols(); ++c)
            if (!std::isfinite(m.at(r, c)))
                finding(std::string(name) + "(" + std::to_string(r) + ", " + std::to_string(c) +
                        ") is not finite");
}

bool isAnyOf(int error, std::initializer_list<int> allowed)
{
    return std::find(allowed.begin(), allowed.end(), error) != allowed.end();
}

struct Result
{
    int error = 0;
    Outcome outcome = Outcome::Solved;
    bool operator==(const Result&) const = default;
};

std::string describe(const Result& r)
{
    if (r.error)
        return "error " + std::to_string(r.error);
    return r.outcome == Outcome::Solved ? "solved" : "insoluble";
}

// The Choleski command: reset the exchanges, read, factor, show the factors, substitute.
template <class S> Result choleskiSolve(S& s, MemorySheet& sheet, std::string_view sep)
{
    s.FilaCambio = 0;
    try {
        s.LeerDatos(sheet, sep);
        s.CholeSki();
        // What the factor grids show.
        for (int r = 0; r < std::min<int>(s.n, s.B.rows()); ++r)
            for (int c = 0; c < std::min<int>(s.n, s.B.cols()); ++c)
                solver::generalText(s.B.at(r, c), sep);
        s.SustAdelante();
        s.SustAtras();
    } catch (const RuntimeError& e) {
        return {e.number()};
    } catch (...) {
        finding("the Choleski solve raised something other than a run-time error");
    }
    return {};
}

// The Gauss-Jordan command: reset the exchanges, read, reduce. Past the reading, the method
// handles every error itself (its retries re-read a worksheet that has just been read and
// exchange rows that exist), so nothing may come out of it.
template <class S> Result gaussJordanSolve(S& s, MemorySheet& sheet, std::string_view sep)
{
    s.FilaCambio = 0;
    try {
        s.LeerDatos(sheet, sep);
    } catch (const RuntimeError& e) {
        if (!isAnyOf(e.number(), {RuntimeError::Overflow, RuntimeError::SubscriptOutOfRange,
                                  RuntimeError::TypeMismatch}))
            finding("reading the worksheet raised error " + std::to_string(e.number()));
        return {e.number()};
    } catch (...) {
        finding("reading the worksheet raised something other than a run-time error");
    }
    try {
        return {0, s.GaussJordan(sheet, sep)};
    } catch (const RuntimeError& e) {
        finding("error " + std::to_string(e.number()) + " came out of the Gauss-Jordan method");
    } catch (...) {
        finding("the Gauss-Jordan method raised something other than a run-time error");
    }
}

struct Step
{
    bool choleski;
    const char* name() const { return choleski ? "Choleski" : "Gauss-Jordan"; }
};

void compare(const Solver& fast, const LiteralSolver& literal, const MemorySheet& fastSheet,
             const MemorySheet& literalSheet, const Result& fastResult, const Result& literalResult,
             const std::string& where)
{
    if (!(fastResult == literalResult))
        finding(where + ": " + describe(fastResult) + ", step by step " + describe(literalResult));
    if (fast.FilaCambio != literal.FilaCambio)
        finding(where + ": FilaCambio " + std::to_string(fast.FilaCambio) + ", step by step " +
                std::to_string(literal.FilaCambio));
    if (!sameBits(fast.A, literal.A))
        finding(where + ": A differs from the step-by-step solve");
    if (!sameBits(fast.B, literal.B))
        finding(where + ": B differs from the step-by-step solve");
    if (!sameBits(fast.C, literal.C))
        finding(where + ": C differs from the step-by-step solve");
    if (fastSheet.cells != literalSheet.cells)
        finding(where + ": the worksheet differs from the step-by-step solve");
}

// The record of the same solve, from the same state and worksheet, against the literal one.
void compareTrace(const solver::StepTrace& trace, const LiteralSolver& literal,
                  const MemorySheet& traceSheet, const MemorySheet& literalSheet,
                  const Result& literalResult, const std::string& where)
{
    Result recorded;
    if (trace.ending == solver::Ending::Error)
        recorded.error = trace.error;
    else if (trace.ending == solver::Ending::NotSoluble)
        recorded.outcome = Outcome::Insoluble;
    if (!(recorded == literalResult))
        finding(where + ": the record ends " + describe(recorded) + ", step by step " +
                describe(literalResult));
    if (trace.FilaCambio != literal.FilaCambio)
        finding(where + ": the record's FilaCambio differs");
    const solver::TracedMatrices last = trace.finalMatrices();
    if (!sameBits(last.A, literal.A) || !sameBits(last.B, literal.B) ||
        !sameBits(last.C, literal.C))
        finding(where + ": the record's last matrices differ from the step-by-step solve");
    if (traceSheet.cells != literalSheet.cells)
        finding(where + ": the record's worksheet differs from the step-by-step solve");
    std::size_t runs = 0;
    for (const solver::Step& s : trace.steps) {
        if (s.runsBegin < runs || s.runsEnd < s.runsBegin || s.stage < 0)
            finding(where + ": the record's steps are out of order");
        runs = s.runsEnd;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    const int n = 2 + in.next() % 5;
    const std::uint8_t sepByte = in.next();
    const char separator = sepByte == ',' || (sepByte != '.' && (sepByte & 1)) ? ',' : '.';
    const std::string sep(1, separator);
    const std::uint8_t stateByte = in.next();
    const int state = stateByte % 4;
    const bool choleskiFirst = (stateByte / 4) % 2 == 0;
    const int choice = stateByte / 8;

    Solver fast;
    int sheetSize = n;
    int oldN = 0;
    if (state == 0) {
        fast.n = std::int16_t(n);
        fast.Redimensionar();
    } else if (state == 1) {
        // 0: never dimensioned; otherwise an n from 2 up to this one's predecessor.
        const int pick = choice % (n - 1);
        if (pick > 0) {
            fast.n = std::int16_t(pick + 1);
            fast.Redimensionar();
        }
    } else if (state == 2) {
        oldN = std::min(n + 1 + choice % 2, maxN + 1);
        sheetSize = oldN;
        fast.n = std::int16_t(oldN);
        fast.Redimensionar();
    } else {
        fast.A = SingleMatrix(in.next() % 9, in.next() % 10);
        fast.B = SingleMatrix(in.next() % 9, in.next() % 10);
        fast.C = SingleMatrix(in.next() % 9, in.next() % 10);
    }
    MemorySheet fastSheet = makeSheet(sheetSize, in.rest(), separator);

    if (state == 2) {
        // An earlier solve at the larger size; then the worksheet shrinks to n.
        const Result earlier = (choice / 2) % 2 == 0 ? choleskiSolve(fast, fastSheet, sep)
                                                     : gaussJordanSolve(fast, fastSheet, sep);
        if (earlier.error && !isAnyOf(earlier.error, {6, 9, 11, 13}))
            finding("the earlier solve raised error " + std::to_string(earlier.error));
    }
    fast.n = std::int16_t(n);

    LiteralSolver literal(fast);
    MemorySheet literalSheet = fastSheet;
    const bool regular = fitsFor(fast.A, n) && fitsFor(fast.B, n) && fitsFor(fast.C, n);

    // The user presses Calcular three times, switching method in between.
    const Step steps[] = {{choleskiFirst}, {!choleskiFirst}, {choleskiFirst}};
    Result firstCholeski;
    SingleMatrix firstB, firstC;
    std::int16_t firstExchanges = 0;
    bool haveFirstCholeski = false;
    for (int k = 0; k < 3; ++k) {
        const Step step = steps[k];
        const std::string where = std::string(step.name()) + " solve " + std::to_string(k + 1) +
                                  " (n = " + std::to_string(n) + ")";
        const SingleMatrix beforeB = fast.B;
        const SingleMatrix beforeC = fast.C;

        MemorySheet traceSheet = fastSheet;
        const solver::StepTrace trace = solver::traceSolve(
            step.choleski ? solver::Method::Choleski : solver::Method::GaussJordan, fast,
            traceSheet, sep);

        Result fastResult;
        Result literalResult;
        if (step.choleski) {
            fastResult = choleskiSolve(fast, fastSheet, sep);
            literalResult = choleskiSolve(literal, literalSheet, sep);
            if (fastResult.error && !isAnyOf(fastResult.error, {6, 9, 11, 13}))
                finding(where + ": error " + std::to_string(fastResult.error));
            if (!fastResult.error)
                for (int i = 0; i < n; ++i)
                    if (!std::isfinite(fast.C.at(i, n)))
                        finding(where + ": the solution is not finite");
        } else {
            fastResult = gaussJordanSolve(fast, fastSheet, sep);
            literalResult = gaussJordanSolve(literal, literalSheet, sep);
            if (!fastResult.error && fastResult.outcome == Outcome::Solved)
                for (int i = 0; i < n; ++i)
                    solver::fixedFiveText(fast.A.at(i, n), sep);
            if (!sameBits(fast.B, beforeB) || !sameBits(fast.C, beforeC))
                finding(where + ": B or C changed");
        }
        checkFinite(fast.A, "A");
        checkFinite(fast.B, "B");
        checkFinite(fast.C, "C");
        compare(fast, literal, fastSheet, literalSheet, fastResult, literalResult, where);
        compareTrace(trace, literal, traceSheet, literalSheet, literalResult, where);

        if (step.choleski) {
            if (!haveFirstCholeski) {
                haveFirstCholeski = true;
                firstCholeski = fastResult;
                firstB = fast.B;
                firstC = fast.C;
                firstExchanges = fast.FilaCambio;
            } else if (regular && firstCholeski.error == 0) {
                if (!(fastResult == firstCholeski) || fast.FilaCambio != firstExchanges ||
                    !sameValues(fast.B, firstB) || !sameValues(fast.C, firstC))
                    finding(where + ": repeating a successful solve gave another result");
            }
        }
    }
    return 0;
}
