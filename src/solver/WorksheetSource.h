#pragma once

#include <string>
#include <string_view>

namespace solver {

// What the solver needs of the worksheet: the text of a cell by (row, column), with the
// worksheet's own coordinates (row 0 and column 0 are headers). Texts are UTF-8.
class WorksheetSource
{
public:
    virtual ~WorksheetSource() = default;
    virtual std::string TextMatrix(int row, int col) const = 0;
    virtual void setTextMatrix(int row, int col, std::string_view text) = 0;
};

} // namespace solver
