#pragma once

#include <Qt>

class QString;

// Turns a column alignment code (0 to 8: horizontal position times three plus vertical,
// 9 general) into Qt flags. General aligns numbers right and other text left in the
// body, and centres fixed cells.
Qt::Alignment cellAlignment(int code, bool fixedCell, const QString& text);
