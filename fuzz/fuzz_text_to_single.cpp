// Cell text to single precision, in a comma and a dot locale. The first byte chooses the
// decimal separator ("," or "." themselves, otherwise its low bit); the rest is the text.
//
// Checked against the C library, which the program never uses for this (its meaning
// changes with the process locale; here the locale stays "C"):
// - the grammar: surrounding blanks, a sign, digits with at most one separator, an
//   exponent; anything else raises 13, a value beyond the single range raises 6, and no
//   other error or exception comes out;
// - the value: correctly rounded, the same bits as strtof;
// - the general text form: the same text as printf's %.7G; read back, it gives the single
//   nearest to that text, which is the value itself whenever the value needs no more than
//   seven significant digits. (Seven digits cannot tell apart every pair of singles:
//   16777216 shows as 1.677722E+07 and reads back as 16777220; and a few singles, such as
//   the one nearest 1E+28 or a subnormal near 1E-38, show a text that reads back as a
//   neighbour with another text. So the round trip is exact only for seven digits.)
// - the "#0.00000" form: the same text as printf's %.5f.
#include "Finding.h"

#include "solver/NumberText.h"
#include "solver/RuntimeError.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::uint32_t bitsOf(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

std::string hex(float v)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%a", double(v));
    return buffer;
}

std::string replaced(std::string text, char from, char to)
{
    for (char& c : text)
        if (c == from)
            c = to;
    return text;
}

// The text rewritten with "." as decimal point when it is a number of the accepted form,
// nothing otherwise.
std::optional<std::string> acceptedForm(std::string_view text, char separator)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    std::string out;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        out += text[i++];
    bool digit = false;
    bool point = false;
    for (; i < end; ++i) {
        if (isDigit(text[i])) {
            digit = true;
        } else if (text[i] == separator && !point) {
            point = true;
            out += '.';
            continue;
        } else {
            break;
        }
        out += text[i];
    }
    if (!digit)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += text[i++];
        if (i < end && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        const std::size_t firstDigit = i;
        while (i < end && isDigit(text[i]))
            out += text[i++];
        if (i == firstDigit)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    return out;
}

// Whether the shortest text that reads back as v has at most seven significant digits.
bool fitsSevenDigits(float v)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    int digits = 0;
    for (const char* p = buffer; p < result.ptr && *p != 'e'; ++p)
        digits += isDigit(*p) ? 1 : 0;
    return digits <= 7;
}

void checkTextForms(float value, char separator)
{
    const std::string sep(1, separator);

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7G", double(value));
    const std::string expected = value == 0.0f ? "0" : replaced(buffer, '.', separator);
    const std::string general = solver::generalText(value, sep);
    if (general != expected)
        finding("generalText(" + hex(value) + ") is '" + general + "', %.7G gives '" + expected +
                "'");

    float again = 0.0f;
    try {
        again = solver::textToSingle(general, sep);
    } catch (const solver::RuntimeError& e) {
        finding("generalText '" + general + "' does not read back: error " +
                std::to_string(e.number()));
    }
    const float nearest = std::strtof(replaced(general, separator, '.').c_str(), nullptr);
    if (bitsOf(again) != bitsOf(nearest))
        finding("'" + general + "' reads back as " + hex(again) + ", nearest is " + hex(nearest));
    if (fitsSevenDigits(value) && again != value)
        finding("'" + general + "' reads back as " + hex(again) + " instead of " + hex(value));

    std::snprintf(buffer, sizeof buffer, "%.5f", double(value));
    const std::string fixedExpected =
        value == 0.0f ? "0" + sep + "00000" : replaced(buffer, '.', separator);
    std::string fixed;
    try {
        fixed = solver::fixedFiveText(value, sep);
    } catch (...) {
        finding("fixedFiveText(" + hex(value) + ") threw");
    }
    if (fixed != fixedExpected)
        finding("fixedFiveText(" + hex(value) + ") is '" + fixed + "', %.5f gives '" +
                fixedExpected + "'");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char first = char(data[0]);
    const char separator = first == ',' || (first != '.' && (data[0] & 1)) ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string shown(text);

    const std::optional<std::string> form = acceptedForm(text, separator);
    float value = 0.0f;
    int error = 0;
    try {
        value = solver::textToSingle(text, std::string(1, separator));
    } catch (const solver::RuntimeError& e) {
        error = e.number();
        if (error != solver::RuntimeError::TypeMismatch && error != solver::RuntimeError::Overflow)
            finding("'" + shown + "' raised error " + std::to_string(error));
    } catch (...) {
        finding("'" + shown + "' raised something other than a run-time error");
    }

    if (!form) {
        if (error != solver::RuntimeError::TypeMismatch)
            finding("'" + shown + "' is not a number but gave " +
                    (error ? "error " + std::to_string(error) : hex(value)));
        return 0;
    }
    errno = 0;
    const float reference = std::strtof(form->c_str(), nullptr);
    if (std::isinf(reference)) {
        if (error != solver::RuntimeError::Overflow)
            finding("'" + shown + "' is beyond the single range but gave " +
                    (error ? "error " + std::to_string(error) : hex(value)));
        return 0;
    }
    if (error != 0)
        finding("'" + shown + "' raised error " + std::to_string(error) + ", expected " +
                hex(reference));
    if (bitsOf(value) != bitsOf(reference))
        finding("'" + shown + "' gave " + hex(value) + ", correctly rounded is " + hex(reference));
    if (!std::isfinite(value))
        finding("'" + shown + "' gave a value that is not finite");
    checkTextForms(value, separator);
    return 0;
}
