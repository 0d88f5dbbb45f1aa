#include "worksheet/TabularPaste.h"

#include "grid/GridControl.h"
#include "worksheet/WorksheetTexts.h"

#include "document/TabularText.h"

TabularPaste::TabularPaste(GridControl& cuadric, QObject* parent)
    : QObject(parent), cuadric_(cuadric)
{
    cuadric_.setPasteReader([this](std::u16string_view text) {
        TabularRead read = readTabularText(text, WorksheetTexts::decimalMark());
        marcaLeida_ = read.marksConverted ? read.decimalMark : char16_t(0);
        anchos_.clear();
        for (const TextRow& row : read.cells)
            anchos_.push_back(row.size());
        return std::move(read.cells);
    });
    connect(&cuadric_, &GridControl::Pasted, this, &TabularPaste::pegado);
}

void TabularPaste::pegado()
{
    // The block's first cell is the current cell; the paste writes what fits from there.
    bool recortado = false;
    for (std::size_t r = 0; r < anchos_.size() && !recortado; ++r) {
        if (anchos_[r] == 0)
            continue;
        recortado = cuadric_.Row() + int(r) >= cuadric_.Rows() ||
                    cuadric_.Col() + int(anchos_[r]) > cuadric_.Cols();
    }
    QStringList partes;
    if (marcaLeida_ != 0) {
        partes << QStringLiteral("El bloque escribía los decimales con «%1»; se pegaron con «%2», "
                                 "como los escribe su configuración regional.")
                      .arg(QChar(marcaLeida_), QChar(WorksheetTexts::decimalMark()));
    }
    if (recortado)
        partes << QStringLiteral("El bloque no cabía en la hoja: solo se pegó lo que cabe.");
    if (!partes.isEmpty())
        emit aviso(partes.join(QLatin1Char(' ')));
}
