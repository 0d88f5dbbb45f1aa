#pragma once

#include "grid/GridControl.h"
#include "grid/Twips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

#include <memory>
#include <vector>

// Counts the paint events that reach the widgets it watches.
class PaintCounter : public QObject
{
public:
    void watch(QWidget& w) { w.installEventFilter(this); }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count_;
        return false;
    }

private:
    int count_ = 0;
};

// Runs the event loop until a pass paints nothing more: whatever the last change asked
// for is then on the screen. Returns the paint events seen.
inline int settle(const PaintCounter& counter)
{
    const int before = counter.count();
    int seen = 0;
    do {
        seen = counter.count();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    } while (counter.count() != seen);
    return counter.count() - before;
}

// A plain QTableView over a QStandardItemModel standing where a grid stands, with the
// grid's size, font, column widths, row height and texts (fixed cells as ordinary cells,
// no headers): the same cells drawn by Qt's own table, as a yardstick.
class TableMirror
{
public:
    TableMirror(QWidget& parent, const GridControl& grid, PaintCounter& counter)
        : view_(new QTableView(&parent)), grid_(grid)
    {
        view_->setModel(&model_);
        view_->horizontalHeader()->hide();
        view_->verticalHeader()->hide();
        view_->horizontalHeader()->setMinimumSectionSize(0);
        view_->verticalHeader()->setMinimumSectionSize(0);
        view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
        view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        counter.watch(*view_->viewport());
    }

    QTableView& view() { return *view_; }

    // Brings the table to the grid's present state, the way a program built on it would:
    // only changed texts are written.
    void sync()
    {
        view_->setGeometry(QRect(grid_.mapTo(grid_.window(), QPoint(0, 0)), grid_.size()));
        view_->setVisible(grid_.isVisible());
        view_->setFont(grid_.font());
        const int rows = grid_.Rows();
        const int cols = grid_.Cols();
        if (model_.rowCount() != rows)
            model_.setRowCount(rows);
        if (model_.columnCount() != cols)
            model_.setColumnCount(cols);
        view_->verticalHeader()->setDefaultSectionSize(twipsToPixels(grid_.RowHeight()));
        for (int c = 0; c < cols; ++c) {
            const int width = twipsToPixels(grid_.ColWidth(c));
            if (view_->columnWidth(c) != width)
                view_->setColumnWidth(c, width);
        }
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const QString text = grid_.TextMatrix(r, c);
                if (QStandardItem* item = model_.item(r, c))
                    item->setText(text);
                else if (!text.isEmpty())
                    model_.setItem(r, c, new QStandardItem(text));
            }
        }
    }

private:
    QStandardItemModel model_;
    QTableView* view_;
    const GridControl& grid_;
};
