#include "ui/StepMarks.h"

#include "grid/GridControl.h"
#include "ui/DigitsLost.h"

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
    // The body only: the headers stay in place over the scrolled cells.
    QRect visible = rect();
    if (grid_.FixedRows() > 0 && grid_.Cols() > 0)
        visible.setTop(rectOf(grid_.FixedRows() - 1, 0).bottom() + 1);
    if (grid_.FixedCols() > 0 && grid_.Rows() > 0)
        visible.setLeft(rectOf(0, grid_.FixedCols() - 1).right() + 1);
    p.setClipRect(visible);

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
    for (const QPoint& cell : written_) {
        const QRect box = rectOf(cell.x(), cell.y()).adjusted(0, 0, -1, -1);
        if (!box.intersects(visible))
            continue;
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        const int side = std::max(5, box.height() / 3);
        QPainterPath triangle;
        triangle.moveTo(box.topLeft());
        triangle.lineTo(box.topLeft() + QPoint(side, 0));
        triangle.lineTo(box.topLeft() + QPoint(0, side));
        triangle.closeSubpath();
        p.fillPath(triangle, ink);
    }
    if (pivot_) {
        // A thick frame on the cell's border, clear of its text.
        const QRect box = rectOf(pivot_->x(), pivot_->y());
        if (box.intersects(visible)) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
}
