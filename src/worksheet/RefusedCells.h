#pragma once

#include <QString>
#include <QStringView>

class GridControl;

// Why a calculation would refuse a worksheet cell's text, and how to write it instead, in
// the user's words; empty for a text that it reads (an empty cell reads as 0). The test is
// the calculation's own conversion, so the two never disagree.
QString refusalOf(QStringView text, const QString& decimalPoint);

// From now on every body cell of the worksheet whose text a calculation would refuse is
// marked, with the reason as its tooltip and accessible description, in the locale's
// decimal separator of the moment.
void markRefusedCells(GridControl& cuadric);
