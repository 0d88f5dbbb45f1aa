#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

// The texts of the cells painted lately, laid out once: what a cell shows in a given
// width (elided when it does not fit), its width, and whether it reads as a number. A
// repaint of unchanged cells then draws without shaping or parsing anything.
class CellTextCache
{
public:
    struct Entry
    {
        QString source; // shares the cell's text: identifies it while it is cached
        int width = -1;
        QStaticText shown;
        qreal shownWidth = 0;
        bool numeric = false;
        quint32 paint = 0;
    };

    // The entry for a cell holding `text`, drawn in `width` pixels.
    const Entry& lookup(int row, int col, const QString& text, int width);

    void setFont(const QFont& font);
    // Marks the start of a paint; entries unused for a while are dropped at the next one.
    void beginPaint();

private:
    void layOut(Entry& entry, const QString& text, int width) const;

    QFont font_;
    QHash<quint64, Entry> entries_;
    quint32 paint_ = 0;
};
