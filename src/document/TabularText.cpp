#include "document/TabularText.h"

#include "document/NumberForm.h"

#include <algorithm>
#include <string>

namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kByteOrderMark = 0xFEFF;

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

// Line ends to skip at `i`: 2 for CR LF, 1 for CR or LF.
std::size_t lineEndLength(std::u16string_view text, std::size_t i)
{
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

std::u16string_view trimmed(std::u16string_view s)
{
    while (!s.empty() && s.front() == u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

struct Row
{
    TextRow cells;
    std::vector<bool> quoted;
    std::size_t line = 1;
};

// Commas are the separator unless every line is a run of blank-separated numbers, the
// same count of them on each line, with commas inside them: "1,5 2,5" from an editor.
bool commasInsideBlankColumns(std::u16string_view text)
{
    std::size_t count = 0;
    for (const TextRow& row : parseTextBlock(text)) {
        if (row.empty())
            continue;
        if (row.size() < 2 || (count != 0 && row.size() != count))
            return false;
        count = row.size();
        // A tab inside quotes splits the line here too, and may leave empty cells.
        for (const std::u16string& cell : row) {
            if (cell.empty() || cell.front() == u',' || cell.back() == u',')
                return false;
        }
    }
    return count != 0;
}

char16_t separatorOf(std::u16string_view text)
{
    bool tab = false;
    bool semicolon = false;
    bool comma = false;
    bool inQuotes = false;
    for (const char16_t c : text) {
        if (c == kQuote)
            inQuotes = !inQuotes;
        else if (!inQuotes)
            tab |= c == u'\t', semicolon |= c == u';', comma |= c == u',';
    }
    if (tab)
        return u'\t';
    if (semicolon)
        return u';';
    if (comma && !commasInsideBlankColumns(text))
        return u',';
    return u' ';
}

std::vector<Row> splitBlanks(std::u16string_view text)
{
    std::vector<Row> rows;
    std::size_t line = 1;
    for (TextRow& cells : parseTextBlock(text)) {
        Row& row = rows.emplace_back();
        row.quoted.assign(cells.size(), false);
        row.cells = std::move(cells);
        row.line = line++;
    }
    // parseTextBlock counts a CR LF as one line end, as this does.
    return rows;
}

// RFC 4180: a field that starts with a quote runs to the quote that is not doubled, line
// breaks and separators included; what follows that quote up to the separator is kept.
std::vector<Row> splitQuoted(std::u16string_view text, char16_t separator)
{
    std::vector<Row> rows;
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        Row& row = rows.emplace_back();
        row.line = line;
        if (isLineBreak(text[i])) {
            i += lineEndLength(text, i);
            ++line;
            continue;
        }
        while (true) {
            std::u16string cell;
            bool quoted = false;
            if (i < text.size() && text[i] == kQuote) {
                quoted = true;
                ++i;
                while (i < text.size()) {
                    if (text[i] == kQuote) {
                        if (i + 1 < text.size() && text[i + 1] == kQuote) {
                            cell += kQuote;
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (isLineBreak(text[i])) {
                        const std::size_t n = lineEndLength(text, i);
                        cell.append(text.substr(i, n));
                        i += n;
                        ++line;
                        continue;
                    }
                    cell += text[i++];
                }
            }
            while (i < text.size() && text[i] != separator && !isLineBreak(text[i]))
                cell += text[i++];
            row.cells.push_back(std::move(cell));
            row.quoted.push_back(quoted);
            if (i < text.size() && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (i < text.size()) {
            i += lineEndLength(text, i);
            ++line;
        }
    }
    return rows;
}

// "X" followed by 12 reads X12, as the worksheet's headers are written.
std::u16string numbered(std::u16string_view prefix, std::size_t number)
{
    const std::string digits = std::to_string(number);
    std::u16string name(prefix);
    name.append(digits.begin(), digits.end());
    return name;
}

// X1 … Xm, T.I from cell `first` on, none of them quoted.
bool isHeaderRow(const Row& row, std::size_t first)
{
    const TextRow& cells = row.cells;
    if (cells.size() < first + 2)
        return false;
    for (std::size_t j = first; j < cells.size(); ++j) {
        if (row.quoted[j])
            return false;
    }
    const std::size_t unknowns = cells.size() - first - 1;
    for (std::size_t j = 0; j < unknowns; ++j) {
        if (trimmed(cells[first + j]) != numbered(u"X", j + 1))
            return false;
    }
    return trimmed(cells.back()) == u"T.I";
}

// What reading could take for a header: T.I, or X or EQ followed by digits alone.
bool looksLikeHeaderName(std::u16string_view cell)
{
    cell = trimmed(cell);
    if (cell == u"T.I")
        return true;
    std::size_t digits = cell.starts_with(u"EQ") ? 2 : cell.starts_with(u"X") ? 1 : 0;
    if (digits == 0 || digits == cell.size())
        return false;
    for (; digits < cell.size(); ++digits) {
        if (cell[digits] < u'0' || cell[digits] > u'9')
            return false;
    }
    return true;
}

bool startsWithEquationNames(const std::vector<Row>& rows, std::size_t from)
{
    std::size_t number = 0;
    for (std::size_t r = from; r < rows.size(); ++r) {
        if (rows[r].cells.empty())
            continue;
        if (rows[r].quoted.front() || trimmed(rows[r].cells.front()) != numbered(u"EQ", ++number))
            return false;
    }
    return number > 0;
}

void skipHeaders(std::vector<Row>& rows, TabularRead& read)
{
    std::size_t first = 0;
    while (first < rows.size() && rows[first].cells.empty())
        ++first;
    bool corner = false;
    if (first < rows.size()) {
        const Row& top = rows[first];
        corner = isHeaderRow(top, 1);
        if (corner || isHeaderRow(top, 0)) {
            rows.erase(rows.begin(), rows.begin() + std::ptrdiff_t(first) + 1);
            read.headerRowSkipped = true;
        }
    }
    if (corner || startsWithEquationNames(rows, 0)) {
        for (Row& row : rows) {
            if (!row.cells.empty()) {
                row.cells.erase(row.cells.begin());
                row.quoted.erase(row.quoted.begin());
            }
        }
        read.headerColumnSkipped = true;
    }
}

char16_t decimalMarkOf(const std::vector<Row>& rows, char16_t separator)
{
    if (separator == u',')
        return u'.';
    bool points = false;
    bool commas = false;
    for (const Row& row : rows) {
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            if (row.quoted[c])
                continue;
            points |= NumberForm::showsMark(row.cells[c], u'.');
            commas |= NumberForm::showsMark(row.cells[c], u',');
        }
    }
    if (points != commas)
        return points ? u'.' : u',';
    return separator == u';' ? u',' : char16_t(0);
}

} // namespace

TabularRead readTabularText(std::u16string_view text, char16_t mark)
{
    if (!text.empty() && text.front() == kByteOrderMark)
        text.remove_prefix(1);
    TabularRead read;
    read.separator = separatorOf(text);
    std::vector<Row> rows =
        read.separator == u' ' ? splitBlanks(text) : splitQuoted(text, read.separator);
    skipHeaders(rows, read);
    read.decimalMark = decimalMarkOf(rows, read.separator);

    read.cells.reserve(rows.size());
    read.lines.reserve(rows.size());
    for (Row& row : rows) {
        if (read.decimalMark != 0 && read.decimalMark != mark) {
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                std::u16string& cell = row.cells[c];
                if (!row.quoted[c] && NumberForm::showsMark(cell, read.decimalMark)) {
                    std::replace(cell.begin(), cell.end(), read.decimalMark, mark);
                    read.marksConverted = true;
                }
            }
        }
        read.cells.push_back(std::move(row.cells));
        read.lines.push_back(row.line);
    }
    return read;
}

std::u16string writeTabularText(const TextBlock& block, char16_t separator, char16_t mark,
                                std::u16string_view lineEnd, bool headers)
{
    // Reading prefers a tab to a semicolon and a semicolon to a comma.
    std::u16string special = u"\"\r\n";
    special += separator;
    if (separator != u'\t')
        special += u'\t';
    if (separator == u',')
        special += u';';
    const char16_t otherMark = mark == u',' ? u'.' : u',';

    std::u16string text;
    for (std::size_t r = 0; r < block.size(); ++r) {
        const TextRow& row = block[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += separator;
            const std::u16string& cell = row[c];
            const bool header = headers && (r == 0 || c == 0);
            const bool quote = cell.find_first_of(special) != std::u16string::npos ||
                               NumberForm::showsMark(cell, otherMark) ||
                               (!header && looksLikeHeaderName(cell)) ||
                               (r == 0 && c == 0 && cell.starts_with(kByteOrderMark));
            if (!quote) {
                text += cell;
                continue;
            }
            text += kQuote;
            for (const char16_t ch : cell) {
                if (ch == kQuote)
                    text += kQuote;
                text += ch;
            }
            text += kQuote;
        }
        text += lineEnd;
    }
    return text;
}
