#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <vector>

class GridControl;

// The worksheet's paste: the clipboard's text read as tabular text (its separator, its
// decimal mark, the program's own headers left out), handed to the grid in the locale's
// decimal mark. A paste whose marks were changed or that did not fit says so.
class TabularPaste : public QObject
{
    Q_OBJECT

public:
    explicit TabularPaste(GridControl& cuadric, QObject* parent = nullptr);

signals:
    // A short sentence for the user after a paste that changed or lost something.
    void aviso(const QString& texto);

private:
    void pegado();

    GridControl& cuadric_;
    char16_t marcaLeida_ = 0;         // the block's decimal mark, where it was changed
    std::vector<std::size_t> anchos_; // cells of each row of the last block read
};
