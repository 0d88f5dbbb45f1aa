// The clipboard's text blocks, on arbitrary bytes (each byte one UTF-16 unit, so every
// separator is within reach). Parsing never fails and gives no more than the text holds;
// a parsed block formats and parses back to itself, but for empty rows at its end; and
// for a block built from the bytes, formatting and parsing gives it back exactly when
// survivesRoundTrip says so.
#include "Finding.h"

#include "grid/TextBlock.h"

#include <cstdint>
#include <string>

namespace {

std::string shown(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t c : text)
        bytes += c < 0x20 || c > 0x7e ? '?' : static_cast<char>(c);
    return bytes;
}

// Bounds that hold for any parse: a row per line, a cell per separator, every unit of
// cell text taken from the input.
void checkBounds(std::u16string_view text, const TextBlock& block)
{
    std::size_t cells = 0;
    std::size_t units = 0;
    for (const TextRow& row : block) {
        cells += row.size();
        for (const std::u16string& cell : row) {
            units += cell.size();
            if (cell.find_first_of(u"\r\n") != std::u16string::npos)
                finding("a cell holds a line break: '" + shown(text) + "'");
        }
    }
    if (block.size() > text.size() || cells > text.size() + 1 || units > text.size())
        finding("more parsed than there is text: '" + shown(text) + "'");
}

TextBlock withoutEmptyRowsAtTheEnd(TextBlock block)
{
    while (!block.empty() && block.back().empty())
        block.pop_back();
    return block;
}

// Unit 0x1E ends a row and 0x1F a cell; everything else is cell text, tabs and line
// breaks included.
TextBlock builtFrom(std::u16string_view text)
{
    TextBlock block;
    if (text.empty())
        return block;
    block.emplace_back().emplace_back();
    for (const char16_t c : text) {
        if (c == 0x1E)
            block.emplace_back().emplace_back();
        else if (c == 0x1F)
            block.back().emplace_back();
        else
            block.back().back() += c;
    }
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text(data, data + size);

    TextBlock parsed;
    try {
        parsed = parseTextBlock(text);
    } catch (...) {
        finding("parseTextBlock threw on '" + shown(text) + "'");
    }
    checkBounds(text, parsed);

    const TextBlock trimmed = withoutEmptyRowsAtTheEnd(parsed);
    if (!survivesRoundTrip(trimmed))
        finding("a parsed block does not survive a round trip: '" + shown(text) + "'");
    if (withoutEmptyRowsAtTheEnd(parseTextBlock(formatTextBlock(parsed))) != trimmed)
        finding("formatting and parsing again changes the block of '" + shown(text) + "'");

    const TextBlock built = builtFrom(text);
    const bool back = parseTextBlock(formatTextBlock(built)) == built;
    if (back != survivesRoundTrip(built))
        finding(std::string("survivesRoundTrip is ") + (back ? "false" : "true") +
                " for the block built from '" + shown(text) + "'");
    return 0;
}
