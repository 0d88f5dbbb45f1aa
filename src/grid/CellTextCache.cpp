#include "grid/CellTextCache.h"

#include "grid/CellAlignment.h"

#include <QFontMetrics>
#include <QTransform>

#include <algorithm>

namespace {

// Entries a grid keeps beyond what one paint uses: a few screens' worth.
constexpr qsizetype kKeptEntries = 4096;

// No glyph of a text font is narrower than a pixel apart from marks that join the one
// before them, and a cell is never drawn wider than its viewport: a text cut this far
// past the width shows exactly what the whole would, and a line of megabytes is never
// shaped or measured.
qsizetype visibleLength(const QString& text, int width)
{
    qsizetype limit = 2 * qsizetype(std::max(width, 0)) + 64;
    if (text.size() <= limit)
        return text.size();
    if (text.at(limit - 1).isHighSurrogate())
        ++limit;
    return limit;
}

quint64 cellKey(int row, int col)
{
    return (quint64(quint32(row)) << 32) | quint32(col);
}

} // namespace

void CellTextCache::setFont(const QFont& font)
{
    font_ = font;
    entries_.clear();
}

void CellTextCache::beginPaint()
{
    ++paint_;
    if (entries_.size() <= kKeptEntries)
        return;
    // Keep what the last few paints drew; the rest is laid out again if it comes back.
    for (auto it = entries_.begin(); it != entries_.end();)
        it = paint_ - it->paint > 2 ? entries_.erase(it) : std::next(it);
}

const CellTextCache::Entry& CellTextCache::lookup(int row, int col, const QString& text, int width)
{
    Entry& entry = entries_[cellKey(row, col)];
    // The entry holds a reference to the text it was made from, so while it lives no
    // other text can take that storage: the same storage means the same text.
    const bool same = entry.source.constData() == text.constData() &&
                      entry.source.size() == text.size() && entry.width == width;
    if (!same)
        layOut(entry, text, width);
    entry.paint = paint_;
    return entry;
}

void CellTextCache::layOut(Entry& entry, const QString& text, int width) const
{
    entry.source = text;
    entry.width = width;
    entry.numeric = looksNumeric(text);
    QString shown = text.left(visibleLength(text, width));
    entry.shown.setTextFormat(Qt::PlainText);
    entry.shown.setText(shown);
    entry.shown.prepare(QTransform(), font_);
    entry.shownWidth = entry.shown.size().width();
    // Only a text that may not fit is measured again, the way the ellipsis is placed.
    if (entry.shownWidth > width - 1 || shown.size() < text.size()) {
        const QString elided = QFontMetrics(font_).elidedText(shown, Qt::ElideRight, width);
        if (elided != shown) {
            entry.shown.setText(elided);
            entry.shown.prepare(QTransform(), font_);
            entry.shownWidth = entry.shown.size().width();
        }
    }
}
