#pragma once

#include <QFont>

// The face of the program's windows and dialogs. It stands in for the classic dialog font,
// "MS Sans Serif" 8.25 pt: 11 pixels at 96 dpi. Liberation Sans has Arial's metrics, so the
// captions measure as on the classic desktop. A caption laid out larger asks for its size.
QFont dialogFont(int pixels = 11, bool bold = false);
