#pragma once

#include <Qt>

class QString;

// Column alignment codes: horizontal position times three plus vertical, and general.
enum ColumnAlignment : int
{
    AlignLeftTop = 0,
    AlignLeftCenter = 1,
    AlignLeftBottom = 2,
    AlignCenterTop = 3,
    AlignCenterCenter = 4,
    AlignCenterBottom = 5,
    AlignRightTop = 6,
    AlignRightCenter = 7,
    AlignRightBottom = 8,
    AlignGeneral = 9, // body text left, numbers right, fixed cells centred
};

// Turns a column alignment code into Qt flags. General aligns numbers right and other
// text left in the body, and centres fixed cells.
Qt::Alignment cellAlignment(int code, bool fixedCell, const QString& text);
Qt::Alignment cellAlignment(int code, bool fixedCell, bool numeric);

// A number in the user's notation or in the C notation; group separators are not part of
// a number here, so "1.500" is not read as fifteen hundred in a comma locale. A text too
// long for any cell to show whole is never a number.
bool looksNumeric(const QString& text);
