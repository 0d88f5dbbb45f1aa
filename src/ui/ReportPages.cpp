#include "ui/ReportPages.h"

#include "report/SolveReport.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

using verification::Table;

QString toText(const std::string& s)
{
    return QString::fromStdString(s);
}

QFont makeFont(qreal points, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

struct Fonts
{
    QFont title = makeFont(15, true);
    QFont section = makeFont(12, true);
    QFont text = makeFont(10);
    QFont table = makeFont(8);
    QFont header = makeFont(8, true);
};

// A column that names rows: the first, and any headed like it in groups side by side.
bool isRowName(const Table& t, std::size_t j)
{
    return j == 0 || t.headers[j] == t.headers.front();
}

// The widths of a table's columns in device pixels: the widest header or cell, plus a gap.
std::vector<qreal> columnWidths(const Table& t, const Fonts& f, const QPaintDevice& d)
{
    const QFontMetricsF normal(f.table, &d);
    const QFontMetricsF bold(f.header, &d);
    const qreal gap = normal.averageCharWidth() * 2;
    std::vector<qreal> w(t.headers.size(), 0);
    for (std::size_t j = 0; j < t.headers.size(); ++j)
        w[j] = bold.horizontalAdvance(toText(t.headers[j]));
    for (const auto& cells : t.rows)
        for (std::size_t j = 0; j < cells.size() && j < w.size(); ++j)
            w[j] = std::max(w[j],
                            (isRowName(t, j) ? bold : normal).horizontalAdvance(toText(cells[j])));
    for (qreal& x : w)
        x += gap;
    return w;
}

// Columns 1 on in blocks [first, last) that fit beside the naming column; one column at
// least per block, however wide. As few blocks as the greedy packing needs, of even size
// where even blocks fit, so that the last block is not a stub.
std::vector<std::pair<std::size_t, std::size_t>> columnBlocks(const std::vector<qreal>& w,
                                                              qreal available)
{
    std::vector<std::pair<std::size_t, std::size_t>> b;
    std::size_t from = 1;
    while (from < w.size()) {
        qreal used = w.front() + w[from];
        std::size_t to = from + 1;
        while (to < w.size() && used + w[to] <= available)
            used += w[to++];
        b.emplace_back(from, to);
        from = to;
    }
    if (b.size() < 2)
        return b;
    const std::size_t columns = w.size() - 1;
    const std::size_t perBlock = (columns + b.size() - 1) / b.size();
    std::vector<std::pair<std::size_t, std::size_t>> even;
    for (from = 1; from < w.size(); from += perBlock) {
        const std::size_t to = std::min(w.size(), from + perBlock);
        qreal used = w.front();
        for (std::size_t j = from; j < to; ++j)
            used += w[j];
        if (used > available)
            return b;
        even.emplace_back(from, to);
    }
    return even.size() == b.size() ? even : b;
}

// A long, narrow table (the solution of a large system) in groups side by side: row r of
// the result holds rows r, r + R, r + 2R… of the table, R rows a group.
Table inGroups(const Table& t, std::size_t groups)
{
    if (groups < 2)
        return t;
    const std::size_t rowsPerGroup = (t.rows.size() + groups - 1) / groups;
    Table g{t.caption, {}, std::vector<std::vector<std::string>>(rowsPerGroup)};
    for (std::size_t k = 0; k < groups; ++k)
        g.headers.insert(g.headers.end(), t.headers.begin(), t.headers.end());
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        g.rows[i % rowsPerGroup].insert(g.rows[i % rowsPerGroup].end(), t.rows[i].begin(),
                                        t.rows[i].end());
    return g;
}

qreal totalWidth(const std::vector<qreal>& w)
{
    qreal s = 0;
    for (const qreal x : w)
        s += x;
    return s;
}

QRectF printableArea(const QPagedPaintDevice& d)
{
    return d.pageLayout().paintRectPixels(d.logicalDpiX());
}

class Writer
{
public:
    Writer(QPainter& p, QPagedPaintDevice& d, QString footer)
        : p_(p), d_(d), footer_(std::move(footer)), width_(printableArea(d).width()),
          height_(printableArea(d).height() - QFontMetricsF(f_.table, &d).height() * 2)
    {}

    void paragraph(const QString& text, const QFont& font, qreal after = 0.4)
    {
        p_.setFont(font);
        bold_.reset();
        const QRectF box = p_.boundingRect(QRectF(0, 0, width_, height_), Qt::TextWordWrap, text);
        ensureRoom(box.height());
        p_.drawText(QRectF(0, y_, width_, box.height()), Qt::TextWordWrap, text);
        y_ += box.height() + QFontMetricsF(font, &d_).height() * after;
    }

    void section(const std::string& title)
    {
        // A heading keeps a few lines of what it heads with it.
        ensureRoom(QFontMetricsF(f_.section, &d_).height() * 5);
        y_ += QFontMetricsF(f_.text, &d_).height() * 0.6;
        paragraph(toText(title), f_.section, 0.3);
    }

    // Rows from this many on share the width of the page in groups side by side.
    static constexpr std::size_t kRowsPerGroup = 20;

    void table(const Table& table)
    {
        if (table.rows.empty())
            return;
        Table t = table;
        if (t.headers.size() == 2 && t.rows.size() > kRowsPerGroup) {
            const qreal pairWidth = totalWidth(columnWidths(t, f_, d_)) * 1.5;
            const auto fit = std::max<std::size_t>(1, std::size_t(width_ / pairWidth));
            t = inGroups(t, std::min(fit, (t.rows.size() + kRowsPerGroup - 1) / kRowsPerGroup));
        }
        const std::vector<qreal> w = columnWidths(t, f_, d_);
        const auto parts = columnBlocks(w, width_);
        for (const auto& [from, to] : parts) {
            // A table under its part's heading has no caption of its own, until it splits.
            QString title = toText(t.caption);
            if (parts.size() > 1)
                title += (title.isEmpty() ? QStringLiteral("Columnas %1 a %2")
                                          : QStringLiteral(": columnas %1 a %2"))
                             .arg(toText(t.headers[from]), toText(t.headers[to - 1]));
            block(t, w, from, to, title);
        }
    }

    void finish() { footer(); }

private:
    void block(const Table& t, const std::vector<qreal>& w, std::size_t from, std::size_t to,
               const QString& title)
    {
        const QFontMetricsF m(f_.table, &d_);
        const qreal rowHeight = m.height() * 1.3;
        ensureRoom(m.height() * 1.5 + rowHeight * 3);
        if (!title.isEmpty())
            paragraph(title, f_.header, 0.2);
        header(t, w, from, to, rowHeight);
        for (const auto& cells : t.rows) {
            if (y_ + rowHeight > height_) {
                startPage();
                paragraph((title.isEmpty() ? QStringLiteral("Continuación")
                                           : title + QStringLiteral(" (continuación)")),
                          f_.header, 0.2);
                header(t, w, from, to, rowHeight);
            }
            const qreal base = y_ + (rowHeight - m.height()) / 2 + m.ascent();
            cell(t, 0, 0, w, cells.front(), base, false);
            qreal x = w.front();
            for (std::size_t j = from; j < to && j < cells.size(); x += w[j++])
                cell(t, j, x, w, cells[j], base, false);
            y_ += rowHeight;
        }
        y_ += rowHeight * 0.6;
    }

    void header(const Table& t, const std::vector<qreal>& w, std::size_t from, std::size_t to,
                qreal rowHeight)
    {
        const QFontMetricsF m(f_.header, &d_);
        qreal width = w.front();
        for (std::size_t j = from; j < to; ++j)
            width += w[j];
        p_.fillRect(QRectF(0, y_, width, rowHeight), QColor(230, 230, 230));
        const qreal base = y_ + (rowHeight - m.height()) / 2 + m.ascent();
        cell(t, 0, 0, w, t.headers.front(), base, true);
        qreal x = w.front();
        for (std::size_t j = from; j < to; x += w[j++])
            cell(t, j, x, w, t.headers[j], base, true);
        y_ += rowHeight;
        p_.drawLine(QPointF(0, y_), QPointF(width, y_));
    }

    // One cell from x on: the names of rows in bold on the left, the rest on the right.
    void cell(const Table& t, std::size_t j, qreal x, const std::vector<qreal>& w,
              const std::string& text, qreal base, bool header)
    {
        const bool rowName = isRowName(t, j);
        const bool bold = header || rowName;
        // Thirty thousand cells at n = 100: the font changes only when it must.
        if (bold != bold_) {
            p_.setFont(bold ? f_.header : f_.table);
            bold_ = bold;
        }
        const QFontMetricsF& m = bold ? headerMetrics_ : tableMetrics_;
        const QString s = toText(text);
        if (rowName)
            p_.drawText(QPointF(j == 0 ? x : x + m.averageCharWidth() * 2, base), s);
        else
            p_.drawText(QPointF(x + w[j] - m.horizontalAdvance(s) - m.averageCharWidth(), base), s);
    }

    void ensureRoom(qreal height)
    {
        if (y_ > 0 && y_ + height > height_)
            startPage();
    }

    void startPage()
    {
        footer();
        d_.newPage();
        ++page_;
        y_ = 0;
    }

    void footer()
    {
        p_.setFont(f_.table);
        bold_.reset();
        const QRectF area = printableArea(d_);
        p_.drawText(QRectF(0, 0, width_, area.height()), Qt::AlignBottom | Qt::AlignRight,
                    QStringLiteral("%1 · página %2").arg(footer_).arg(page_));
    }

    QPainter& p_;
    QPagedPaintDevice& d_;
    const Fonts f_;
    const QString footer_;
    const qreal width_;
    const qreal height_;
    const QFontMetricsF tableMetrics_{f_.table, &d_};
    const QFontMetricsF headerMetrics_{f_.header, &d_};
    // The painter's font in the cells, which other text may have changed meanwhile.
    std::optional<bool> bold_;
    qreal y_ = 0;
    int page_ = 1;
};

Table figureTable(const std::vector<verification::Figure>& figures)
{
    Table t{{}, {"Medida", "Valor"}, {}};
    for (const verification::Figure& c : figures)
        t.rows.push_back({c.label, c.value});
    return t;
}

} // namespace

namespace ReportPages {

void orient(const report::SolveReport& report, QPagedPaintDevice& device)
{
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    const qreal vertical = layout.paintRectPixels(device.logicalDpiX()).width();
    const qreal needed = totalWidth(columnWidths(report.system, Fonts(), device));
    device.setPageOrientation(needed > vertical ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool paint(const report::SolveReport& r, QPagedPaintDevice& device)
{
    QPainter p;
    if (!p.begin(&device))
        return false;
    const Fonts f;
    Writer e(p, device, QStringLiteral("Sorvani · %1").arg(toText(r.method)));
    e.paragraph(toText(r.title), f.title, 0.3);
    e.paragraph(QStringLiteral("Fecha: %1").arg(toText(r.date)), f.text, 0.1);
    e.paragraph(QStringLiteral("Método: %1").arg(toText(r.method)), f.text);
    for (const report::Part part : r.order) {
        e.section(report::partTitle(part));
        switch (part) {
        case report::Part::System:
            e.table(r.system);
            break;
        case report::Part::Exchanges:
            for (const std::string& s : r.exchanges)
                e.paragraph(toText(s), f.text);
            e.table(r.exchangeOrder);
            break;
        case report::Part::Factors:
            e.table(r.b);
            e.table(r.c);
            break;
        case report::Part::Solution:
            e.table(r.solution);
            break;
        case report::Part::Summary:
            for (const std::string& s : r.statements)
                e.paragraph(toText(s), f.text);
            e.table(figureTable(r.figures));
            break;
        }
    }
    e.finish();
    return p.end();
}

} // namespace ReportPages
