#include "document/MatrixMarket.h"

#include "document/NumberForm.h"
#include "document/SystemFile.h"
#include "document/Utf8.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

constexpr std::u16string_view kBanner = u"%%MatrixMarket";

struct Line
{
    std::vector<std::u16string_view> words;
    std::size_t number = 0;
};

std::u16string lower(std::u16string_view s)
{
    std::u16string out(s);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    }
    return out;
}

std::vector<std::u16string_view> wordsOf(std::u16string_view line)
{
    std::vector<std::u16string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != u' ' && line[i] != u'\t')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// The lines after the banner that hold something other than a comment.
std::vector<Line> dataLines(std::u16string_view text)
{
    std::vector<Line> lines;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = text.size();
        ++number;
        const std::u16string_view line = text.substr(start, end - start);
        if (number > 1 && (line.empty() || line.front() != u'%')) {
            Line l{wordsOf(line), number};
            if (!l.words.empty())
                lines.push_back(std::move(l));
        }
        if (end == text.size())
            break;
        start =
            end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    return lines;
}

std::string utf8(std::u16string_view s)
{
    return Utf8::encode(s);
}

bool readCount(std::u16string_view word, std::size_t& value)
{
    const std::string digits = utf8(word);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return ec == std::errc() && end == digits.data() + digits.size();
}

Refusal notANumber(std::u16string_view word, std::size_t line)
{
    return {"«" + utf8(word) + "» no es un número.", line};
}

} // namespace

bool isMatrixMarket(std::u16string_view text)
{
    if (!text.empty() && text.front() == 0xFEFF)
        text.remove_prefix(1);
    return text.substr(0, kBanner.size()) == kBanner;
}

std::variant<MatrixRead, Refusal> readMatrixMarket(std::u16string_view text, char16_t mark)
{
    if (!text.empty() && text.front() == 0xFEFF)
        text.remove_prefix(1);
    const std::u16string_view first = text.substr(0, text.find_first_of(u"\r\n"));
    const std::vector<std::u16string_view> banner = wordsOf(first);
    const bool array = banner.size() == 5 && lower(banner[2]) == u"array";
    const bool coordinate = banner.size() == 5 && lower(banner[2]) == u"coordinate";
    if (banner.size() != 5 || banner[0] != kBanner || lower(banner[1]) != u"matrix" ||
        (!array && !coordinate) ||
        (lower(banner[3]) != u"real" && lower(banner[3]) != u"integer") ||
        lower(banner[4]) != u"general")
        return Refusal{"Solo se leen matrices Matrix Market «matrix array» o «matrix coordinate» "
                       "de números «real» o «integer», «general».",
                       1};

    const std::vector<Line> lines = dataLines(text);
    if (lines.empty())
        return Refusal{"Falta la línea con el tamaño de la matriz.", 0};
    const Line& size = lines.front();
    std::size_t rows = 0;
    std::size_t cols = 0;
    std::size_t entries = 0;
    if (size.words.size() != (array ? 2u : 3u) || !readCount(size.words[0], rows) ||
        !readCount(size.words[1], cols) || (coordinate && !readCount(size.words[2], entries)))
        return Refusal{array ? "El tamaño de la matriz debe ser «filas columnas»."
                             : "El tamaño de la matriz debe ser «filas columnas entradas».",
                       size.number};
    if (!isSystemShape(rows, cols))
        return shapeRefusal(rows, cols, size.number);

    MatrixRead read;
    read.sizeLine = size.number;
    read.cells.assign(rows, TextRow(cols, coordinate ? u"0" : u""));
    const auto value = [mark](std::u16string_view word, std::u16string& cell) {
        if (!NumberForm::isNumber(word, u'.'))
            return false;
        cell.assign(word);
        std::replace(cell.begin(), cell.end(), u'.', mark);
        return true;
    };

    if (array) {
        const std::size_t expected = rows * cols;
        std::size_t k = 0;
        for (std::size_t l = 1; l < lines.size(); ++l) {
            for (const std::u16string_view word : lines[l].words) {
                if (k == expected)
                    return Refusal{"Sobran valores: la matriz tiene " + std::to_string(expected) +
                                       ".",
                                   lines[l].number};
                if (!value(word, read.cells[k % rows][k / rows]))
                    return notANumber(word, lines[l].number);
                ++k;
            }
        }
        if (k != expected)
            return Refusal{"Faltan valores: se leyeron " + std::to_string(k) + " de " +
                               std::to_string(expected) + ".",
                           0};
        return read;
    }

    if (lines.size() - 1 != entries)
        return Refusal{"Se anuncian " + std::to_string(entries) + " entradas y hay " +
                           std::to_string(lines.size() - 1) + ".",
                       size.number};
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const Line& line = lines[l];
        std::size_t i = 0;
        std::size_t j = 0;
        if (line.words.size() != 3 || !readCount(line.words[0], i) || !readCount(line.words[1], j))
            return Refusal{"Cada entrada debe ser «fila columna valor».", line.number};
        if (i < 1 || i > rows || j < 1 || j > cols)
            return Refusal{"La entrada (" + std::to_string(i) + ", " + std::to_string(j) +
                               ") está fuera de la matriz.",
                           line.number};
        if (!value(line.words[2], read.cells[i - 1][j - 1]))
            return notANumber(line.words[2], line.number);
    }
    return read;
}

std::variant<std::string, Refusal> writeMatrixMarket(const TextBlock& cells, char16_t mark)
{
    const std::size_t rows = cells.size();
    const std::size_t cols = rows == 0 ? 0 : cells.front().size();
    std::string text = "%%MatrixMarket matrix array real general\n"
                       "% Sistema de ecuaciones: coeficientes y término independiente\n" +
                       std::to_string(rows) + " " + std::to_string(cols) + "\n";
    for (std::size_t j = 0; j < cols; ++j) {
        for (std::size_t i = 0; i < rows; ++i) {
            std::u16string cell = j < cells[i].size() ? cells[i][j] : std::u16string();
            if (!NumberForm::isNumber(cell, mark))
                return Refusal{"El valor de la ecuación " + std::to_string(i + 1) + ", columna " +
                                   std::to_string(j + 1) + ", «" + utf8(cell) +
                                   "», no es un número.",
                               0};
            cell.erase(std::remove(cell.begin(), cell.end(), u' '), cell.end());
            cell.erase(std::remove(cell.begin(), cell.end(), u'\t'), cell.end());
            for (char16_t& c : cell) {
                if (c == mark)
                    c = u'.';
                else if (c == u'd' || c == u'D')
                    c = u'E';
            }
            text += utf8(cell);
            text += '\n';
        }
    }
    return text;
}
