#include "document/SystemFile.h"

#include "document/MatrixMarket.h"
#include "document/TabularText.h"
#include "document/Utf8.h"

#include <algorithm>

namespace {

constexpr std::size_t kFewestEquations = 2;
constexpr std::size_t kMostEquations = 100;

std::size_t lineAt(std::string_view bytes, std::size_t offset)
{
    const std::string_view before = bytes.substr(0, offset);
    const auto breaks = std::count(before.begin(), before.end(), '\n');
    // Lines ended by CR alone: count those instead where there is no LF.
    return std::size_t(breaks > 0 ? breaks : std::count(before.begin(), before.end(), '\r')) + 1;
}

std::u16string numbered(std::u16string_view prefix, std::size_t number)
{
    const std::string digits = std::to_string(number);
    std::u16string name(prefix);
    name.append(digits.begin(), digits.end());
    return name;
}

std::variant<SystemTexts, Refusal> fromTable(TabularRead read)
{
    // Empty lines separate nothing in a file: they are left out.
    std::size_t kept = 0;
    for (std::size_t r = 0; r < read.cells.size(); ++r) {
        if (read.cells[r].empty())
            continue;
        if (kept != r) {
            read.cells[kept] = std::move(read.cells[r]);
            read.lines[kept] = read.lines[r];
        }
        ++kept;
    }
    read.cells.resize(kept);
    read.lines.resize(kept);
    if (kept == 0)
        return Refusal{"El archivo no tiene ningún valor.", 0};

    const std::size_t width = read.cells.front().size();
    for (std::size_t r = 1; r < kept; ++r) {
        if (read.cells[r].size() != width)
            return Refusal{"Las filas no tienen todas el mismo número de valores: esta tiene " +
                               std::to_string(read.cells[r].size()) + " y la primera, " +
                               std::to_string(width) + ".",
                           read.lines[r]};
    }
    if (!isSystemShape(kept, width))
        return shapeRefusal(kept, width, kept > kMostEquations ? read.lines[kMostEquations] : 0);
    return SystemTexts{std::move(read.cells), read.marksConverted};
}

} // namespace

FileFormat formatForName(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    std::string extension(dot == std::string_view::npos ? std::string_view()
                                                        : fileName.substr(dot));
    for (char& c : extension)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".mtx")
        return FileFormat::MatrixMarket;
    if (extension == ".txt")
        return FileFormat::Text;
    return FileFormat::Csv;
}

bool isSystemShape(std::size_t rows, std::size_t cols)
{
    return rows >= kFewestEquations && rows <= kMostEquations && cols == rows + 1;
}

Refusal shapeRefusal(std::size_t rows, std::size_t cols, std::size_t line)
{
    return {"Tiene " + std::to_string(rows) + (rows == 1 ? " fila" : " filas") + " de " +
                std::to_string(cols) + (cols == 1 ? " valor" : " valores") +
                "; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100.",
            line};
}

std::variant<SystemTexts, Refusal> readSystemFile(std::string_view bytes, char16_t mark)
{
    if (bytes.size() > kLargestSystemFile)
        return Refusal{"Es más grande que cualquier sistema de ecuaciones (más de " +
                           std::to_string(kLargestSystemFile >> 20) + " MB).",
                       0};
    std::size_t bad = 0;
    const std::optional<std::u16string> text = Utf8::decode(bytes, &bad);
    if (!text)
        return Refusal{"No es un archivo de texto.", lineAt(bytes, bad)};
    const auto control = std::find_if(text->begin(), text->end(), [](char16_t c) {
        return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    });
    if (control != text->end()) {
        std::size_t offset = 0;
        for (auto it = text->begin(); it != control; ++it)
            offset += *it == u'\n' ? 1 : 0;
        return Refusal{"No es un archivo de texto.", offset + 1};
    }
    const bool blank = std::all_of(text->begin(), text->end(), [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0xFEFF;
    });
    if (blank)
        return Refusal{"El archivo está vacío.", 0};

    if (isMatrixMarket(*text)) {
        auto read = readMatrixMarket(*text, mark);
        if (auto* refusal = std::get_if<Refusal>(&read))
            return std::move(*refusal);
        // The format writes points alone: reading them in another mark is its rule, not a
        // change worth telling.
        return SystemTexts{std::move(std::get<MatrixRead>(read).cells), false};
    }
    return fromTable(readTabularText(*text, mark));
}

std::variant<std::string, Refusal> writeSystemFile(const TextBlock& rows, FileFormat format,
                                                   char16_t mark)
{
    switch (format) {
    case FileFormat::MatrixMarket:
        return writeMatrixMarket(rows, mark);
    case FileFormat::Text:
        return Utf8::encode(writeTabularText(rows, u'\t', mark, u"\n", false));
    case FileFormat::Csv:
        break;
    }
    const std::size_t n = rows.size();
    TextBlock table;
    table.reserve(n + 1);
    TextRow& header = table.emplace_back();
    header.emplace_back();
    for (std::size_t j = 1; j <= n; ++j)
        header.push_back(numbered(u"X", j));
    header.emplace_back(u"T.I");
    for (std::size_t i = 0; i < n; ++i) {
        TextRow& row = table.emplace_back();
        row.reserve(rows[i].size() + 1);
        row.push_back(numbered(u"EQ", i + 1));
        row.insert(row.end(), rows[i].begin(), rows[i].end());
    }
    const char16_t separator = mark == u',' ? u';' : u',';
    return Utf8::encode(writeTabularText(table, separator, mark, u"\r\n", true));
}
