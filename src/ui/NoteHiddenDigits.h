#pragma once

#include <QString>

#include <string>
#include <vector>

class GridControl;

// The value in its general form, with seven significant digits, where the five-decimal
// form of a Gauss-Jordan solution hides digits: a value that is not zero but shows as
// zero, or one shown with more than seven significant digits, which single precision does
// not hold. Empty where the five decimals say it all.
QString hiddenDigitsNote(float value, const std::string& separator);

// Gives each cell of the solution's column 1 that still shows its value of `values` in the
// five-decimal form that value's note, as its tooltip and accessible description. Empty
// values take the notes away.
void noteHiddenDigits(GridControl& solution, std::vector<float> values,
                      const std::string& separator);
