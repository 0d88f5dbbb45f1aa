#include "ui/StepMarks.h"

#include "grid/GridControl.h"
#include "ui/DigitsLostScale.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include <algorithm>

StepMarks::StepMarks(GridControl& grid) : QWidget(grid.viewport()), grid_(grid)
{
    setObjectName(QStringLiteral("MarcasDelPaso"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    grid.viewport()->installEventFilter(this);
    setGeometry(grid.viewport()->rect());
    for (QScrollBar* bar : {grid.horizontalScrollBar(), grid.verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    raise();
    show();
}

void StepMarks::setMarks(std::vector<QPoint> written, std::optional<QPoint> pivot)
{
    written_ = std::move(written);
    pivot_ = pivot;
    update();
}

void StepMarks::setColouring(std::function<int(int, int)> digitsLost)
{
    digitsLost_ = std::move(digitsLost);
    update();
}

bool StepMarks::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_.viewport() && event->type() == QEvent::Resize)
        setGeometry(grid_.viewport()->rect());
    return QWidget::eventFilter(watched, event);
}

void StepMarks::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const auto rectOf = [this](int row, int col) {
        return grid_.visualRect(grid_.model()->index(row, col));
    };
    const QRect visible = rect();

    if (digitsLost_) {
        const int margin = 3;
        for (int r = grid_.FixedRows(); r < grid_.Rows(); ++r) {
            const QRect first = rectOf(r, 0);
            if (first.bottom() < 0 || first.top() > visible.bottom())
                continue;
            for (int c = grid_.FixedCols(); c < grid_.Cols(); ++c) {
                const QRect cell = rectOf(r, c).adjusted(0, 0, -1, -1);
                const int d = digitsLost_(r, c);
                if (d < 0 || !cell.intersects(visible))
                    continue;
                p.fillRect(cell, DigitsLost::colour(d));
                p.setPen(DigitsLost::textColour(d));
                p.drawText(cell.adjusted(margin, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter,
                           grid_.TextMatrix(r, c));
            }
        }
    }

    const QColor ink = palette().color(QPalette::WindowText);
    const QColor paper = palette().color(QPalette::Base);
    for (const QPoint& cell : written_) {
        const QRect box = rectOf(cell.x(), cell.y()).adjusted(1, 1, -2, -2);
        if (!box.intersects(visible))
            continue;
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        const int side = std::max(5, box.height() / 3);
        QPainterPath corner;
        corner.moveTo(box.topLeft());
        corner.lineTo(box.topLeft() + QPoint(side, 0));
        corner.lineTo(box.topLeft() + QPoint(0, side));
        corner.closeSubpath();
        p.fillPath(corner, ink);
    }
    if (pivot_) {
        const QRect box = rectOf(pivot_->x(), pivot_->y());
        if (box.intersects(visible)) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(paper, 4));
            p.drawRect(box.adjusted(2, 2, -3, -3));
            p.setPen(QPen(ink, 2));
            p.drawRect(box.adjusted(1, 1, -2, -2));
            p.drawRect(box.adjusted(4, 4, -5, -5));
        }
    }
}
