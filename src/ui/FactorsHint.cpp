#include "ui/FactorsHint.h"

#include "grid/GridControl.h"

#include <QAbstractItemModel>
#include <QLabel>

#include <algorithm>

FactorsHint::FactorsHint(QWidget& frame, GridControl& b, GridControl& c)
    : QObject(&frame), b_(b), c_(c),
      label_(new QLabel(QStringLiteral("B y C se obtienen con el método de Choleski"), &frame))
{
    label_->setObjectName(QStringLiteral("Et_Factores"));
    label_->setAccessibleName(label_->text());
    label_->setAlignment(Qt::AlignCenter);
    // Read on the grids' empty area whatever its colour.
    label_->setAutoFillBackground(true);
    label_->setBackgroundRole(QPalette::Base);
    label_->setForegroundRole(QPalette::Text);
    label_->setFrameStyle(QFrame::Box | QFrame::Plain);
    label_->setMargin(4);
    place();
    for (const GridControl* grid : {&b_, &c_}) {
        const QAbstractItemModel* m = grid->model();
        for (const auto signal :
             {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
              &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
            connect(m, signal, this, &FactorsHint::update);
        connect(m, &QAbstractItemModel::modelReset, this, &FactorsHint::update);
        connect(m, &QAbstractItemModel::layoutChanged, this, &FactorsHint::update);
    }
    update();
}

void FactorsHint::update()
{
    const auto empty = [](const GridControl& g) { return g.Rows() == 0 || g.Cols() == 0; };
    label_->setVisible(empty(b_) && empty(c_));
    if (!label_->isHidden())
        label_->raise();
}

// Across the rectangle that holds both grids, at its middle height.
void FactorsHint::place()
{
    const QRect area = QRect(b_.pos(), b_.size()).united(QRect(c_.pos(), c_.size()));
    QSize size = label_->sizeHint();
    size.setWidth(std::min(size.width(), area.width()));
    QRect rect(QPoint(), size);
    rect.moveCenter(area.center());
    label_->setGeometry(rect);
}
