#pragma once

#include <string_view>

// The written form of a number, as spreadsheets and text files write it: blanks around,
// an optional sign, digits with at most one decimal mark, an optional exponent (E or D).
namespace NumberForm {

// Whether the text is a number written with `mark` as its decimal mark (a whole number
// qualifies for any mark).
bool isNumber(std::u16string_view text, char16_t mark);

// Whether the text is a number that shows `mark`: only such a text tells a block's mark.
bool showsMark(std::u16string_view text, char16_t mark);

} // namespace NumberForm
