#include "document/NumberForm.h"

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

namespace NumberForm {

bool isNumber(std::u16string_view text, char16_t mark)
{
    std::size_t i = 0;
    const std::size_t end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    std::size_t last = end;
    while (last > i && isBlank(text[last - 1]))
        --last;
    if (i < last && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    std::size_t digits = 0;
    for (; i < last && isDigit(text[i]); ++i)
        ++digits;
    if (i < last && text[i] == mark) {
        for (++i; i < last && isDigit(text[i]); ++i)
            ++digits;
    }
    if (digits == 0)
        return false;
    if (i < last && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        ++i;
        if (i < last && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const std::size_t start = i;
        while (i < last && isDigit(text[i]))
            ++i;
        if (i == start)
            return false;
    }
    return i == last;
}

bool showsMark(std::u16string_view text, char16_t mark)
{
    return text.find(mark) != std::u16string_view::npos && isNumber(text, mark);
}

} // namespace NumberForm
