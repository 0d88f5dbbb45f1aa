#include "ui/NoteHiddenDigits.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"

#include <utility>

namespace {

// Digits from the first one that is not zero, trailing zeros included: they are shown.
int significantDigits(const std::string& text)
{
    int count = 0;
    bool leading = true;
    for (const char c : text) {
        if (c < '0' || c > '9')
            continue;
        leading = leading && c == '0';
        if (!leading)
            ++count;
    }
    return count;
}

} // namespace

QString hiddenDigitsNote(float value, const std::string& separator)
{
    const std::string fixed = solver::fixedFiveText(value, separator);
    const int digits = significantDigits(fixed);
    if ((value == 0.0f || digits > 0) && digits <= 7)
        return {};
    return QStringLiteral("Con siete cifras significativas: ") +
           QString::fromStdString(solver::generalText(value, separator));
}

void noteHiddenDigits(GridControl& solution, std::vector<float> values,
                      const std::string& separator)
{
    if (values.empty()) {
        solution.gridModel()->setNoteSource({});
        return;
    }
    solution.gridModel()->setNoteSource(
        [&solution, values = std::move(values), separator](int row, int col) {
            GridModel::CellNote note;
            if (col != 1 || row >= int(values.size()))
                return note;
            const float value = values[std::size_t(row)];
            // Only while the cell shows this value: a later write may replace it.
            if (solution.TextView(row, col) !=
                QString::fromStdString(solver::fixedFiveText(value, separator)))
                return note;
            note.text = hiddenDigitsNote(value, separator);
            return note;
        });
}
