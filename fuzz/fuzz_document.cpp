// Systems in files and tabular text, on arbitrary bytes (the first byte picks the reader's
// decimal mark). Any bytes give a block or a refusal, never more than they hold; a system
// read back from the CSV or the text it is written as comes back exactly; the Matrix Market
// form of a system reads back as a system of numbers.
#include "Finding.h"

#include "document/NumberForm.h"
#include "document/SystemFile.h"
#include "document/TabularText.h"
#include "document/Utf8.h"

#include <cstdint>
#include <string>
#include <variant>

namespace {

std::string shown(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes)
        text += c < 0x20 || c > 0x7e ? '?' : c;
    return text;
}

void checkTabular(std::string_view bytes, char16_t mark)
{
    const std::u16string text(bytes.begin(), bytes.end());
    const TabularRead read = readTabularText(text, mark);
    std::size_t cells = 0;
    std::size_t units = 0;
    for (const TextRow& row : read.cells) {
        cells += row.size();
        for (const std::u16string& cell : row)
            units += cell.size();
    }
    if (read.cells.size() > text.size() + 1 || cells > text.size() + 1 || units > text.size())
        finding("more read than there is text: '" + shown(bytes) + "'");
    if (read.lines.size() != read.cells.size())
        finding("a row without its line: '" + shown(bytes) + "'");
}

void checkRoundTrip(const TextBlock& rows, FileFormat format, char16_t mark, std::string_view from)
{
    const auto written = writeSystemFile(rows, format, mark);
    if (std::holds_alternative<Refusal>(written))
        finding("a system read is refused for writing: '" + shown(from) + "'");
    const auto back = readSystemFile(std::get<std::string>(written), mark);
    const auto* system = std::get_if<SystemTexts>(&back);
    if (!system || system->rows != rows || system->marksConverted)
        finding("a system does not read back from its " +
                std::string(format == FileFormat::Csv ? "CSV" : "text") + " file: '" + shown(from) +
                "' wrote '" + shown(std::get<std::string>(written)) + "'");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char16_t mark = (data[0] & 1) != 0 ? u',' : u'.';
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    checkTabular(bytes, mark);

    const auto read = readSystemFile(bytes, mark);
    const auto* system = std::get_if<SystemTexts>(&read);
    if (!system)
        return 0;
    const TextBlock& rows = system->rows;
    std::size_t units = 0;
    std::size_t cells = 0;
    for (const TextRow& row : rows) {
        if (!isSystemShape(rows.size(), row.size()))
            finding("a system of the wrong shape: '" + shown(bytes) + "'");
        cells += row.size();
        for (const std::u16string& cell : row)
            units += cell.size();
    }
    // A coordinate file's unlisted entries are a "0" each; everything else is in the bytes.
    if (units > bytes.size() + cells)
        finding("more text than the file holds: '" + shown(bytes) + "'");

    checkRoundTrip(rows, FileFormat::Csv, mark, bytes);
    checkRoundTrip(rows, FileFormat::Text, mark, bytes);

    const auto matrix = writeSystemFile(rows, FileFormat::MatrixMarket, mark);
    if (const auto* text = std::get_if<std::string>(&matrix)) {
        const auto back = readSystemFile(*text, mark);
        const auto* numbers = std::get_if<SystemTexts>(&back);
        if (!numbers || numbers->rows.size() != rows.size())
            finding("a Matrix Market file written does not read back: '" + shown(bytes) + "'");
        for (const TextRow& row : numbers->rows) {
            for (const std::u16string& cell : row) {
                if (!NumberForm::isNumber(cell, mark))
                    finding("a Matrix Market value reads back as no number: '" + shown(bytes) +
                            "'");
            }
        }
    }
    return 0;
}
