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

QString aTexto(const std::string& s)
{
    return QString::fromStdString(s);
}

QFont fuente(qreal puntos, bool negrita = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}

struct Fuentes
{
    QFont titulo = fuente(15, true);
    QFont seccion = fuente(12, true);
    QFont texto = fuente(10);
    QFont tabla = fuente(8);
    QFont cabecera = fuente(8, true);
};

// A column that names rows: the first, and any headed like it in groups side by side.
bool esRotulo(const Table& t, std::size_t j)
{
    return j == 0 || t.headers[j] == t.headers.front();
}

// The widths of a table's columns in device pixels: the widest header or cell, plus a gap.
std::vector<qreal> anchos(const Table& t, const Fuentes& f, const QPaintDevice& d)
{
    const QFontMetricsF normal(f.tabla, &d);
    const QFontMetricsF negrita(f.cabecera, &d);
    const qreal hueco = normal.averageCharWidth() * 2;
    std::vector<qreal> w(t.headers.size(), 0);
    for (std::size_t j = 0; j < t.headers.size(); ++j)
        w[j] = negrita.horizontalAdvance(aTexto(t.headers[j]));
    for (const auto& fila : t.rows)
        for (std::size_t j = 0; j < fila.size() && j < w.size(); ++j)
            w[j] = std::max(w[j],
                            (esRotulo(t, j) ? negrita : normal).horizontalAdvance(aTexto(fila[j])));
    for (qreal& x : w)
        x += hueco;
    return w;
}

// Columns 1 on in blocks [first, last) that fit beside the naming column; one column at
// least per block, however wide. As few blocks as the greedy packing needs, of even size
// where even blocks fit, so that the last block is not a stub.
std::vector<std::pair<std::size_t, std::size_t>> bloques(const std::vector<qreal>& w,
                                                         qreal disponible)
{
    std::vector<std::pair<std::size_t, std::size_t>> b;
    std::size_t desde = 1;
    while (desde < w.size()) {
        qreal usado = w.front() + w[desde];
        std::size_t hasta = desde + 1;
        while (hasta < w.size() && usado + w[hasta] <= disponible)
            usado += w[hasta++];
        b.emplace_back(desde, hasta);
        desde = hasta;
    }
    if (b.size() < 2)
        return b;
    const std::size_t columnas = w.size() - 1;
    const std::size_t porBloque = (columnas + b.size() - 1) / b.size();
    std::vector<std::pair<std::size_t, std::size_t>> parejos;
    for (desde = 1; desde < w.size(); desde += porBloque) {
        const std::size_t hasta = std::min(w.size(), desde + porBloque);
        qreal usado = w.front();
        for (std::size_t j = desde; j < hasta; ++j)
            usado += w[j];
        if (usado > disponible)
            return b;
        parejos.emplace_back(desde, hasta);
    }
    return parejos.size() == b.size() ? parejos : b;
}

// A long, narrow table (the solution of a large system) in groups side by side: row r of
// the result holds rows r, r + R, r + 2R… of the table, R rows a group.
Table enGrupos(const Table& t, std::size_t grupos)
{
    if (grupos < 2)
        return t;
    const std::size_t filas = (t.rows.size() + grupos - 1) / grupos;
    Table g{t.caption, {}, std::vector<std::vector<std::string>>(filas)};
    for (std::size_t k = 0; k < grupos; ++k)
        g.headers.insert(g.headers.end(), t.headers.begin(), t.headers.end());
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        g.rows[i % filas].insert(g.rows[i % filas].end(), t.rows[i].begin(), t.rows[i].end());
    return g;
}

qreal anchoTotal(const std::vector<qreal>& w)
{
    qreal s = 0;
    for (const qreal x : w)
        s += x;
    return s;
}

QRectF areaUtil(const QPagedPaintDevice& d)
{
    return d.pageLayout().paintRectPixels(d.logicalDpiX());
}

class Escritor
{
public:
    Escritor(QPainter& p, QPagedPaintDevice& d, QString pie)
        : p_(p), d_(d), pie_(std::move(pie)), ancho_(areaUtil(d).width()),
          alto_(areaUtil(d).height() - QFontMetricsF(f_.tabla, &d).height() * 2)
    {}

    void parrafo(const QString& texto, const QFont& fuente, qreal despues = 0.4)
    {
        p_.setFont(fuente);
        negrita_.reset();
        const QRectF caja = p_.boundingRect(QRectF(0, 0, ancho_, alto_), Qt::TextWordWrap, texto);
        asegurar(caja.height());
        p_.drawText(QRectF(0, y_, ancho_, caja.height()), Qt::TextWordWrap, texto);
        y_ += caja.height() + QFontMetricsF(fuente, &d_).height() * despues;
    }

    void seccion(const std::string& titulo)
    {
        // A heading keeps a few lines of what it heads with it.
        asegurar(QFontMetricsF(f_.seccion, &d_).height() * 5);
        y_ += QFontMetricsF(f_.texto, &d_).height() * 0.6;
        parrafo(aTexto(titulo), f_.seccion, 0.3);
    }

    // Rows from this many on share the width of the page in groups side by side.
    static constexpr std::size_t kFilasPorGrupo = 20;

    void tabla(const Table& tabla)
    {
        if (tabla.rows.empty())
            return;
        Table t = tabla;
        if (t.headers.size() == 2 && t.rows.size() > kFilasPorGrupo) {
            const qreal par = anchoTotal(anchos(t, f_, d_)) * 1.5;
            const auto caben = std::max<std::size_t>(1, std::size_t(ancho_ / par));
            t = enGrupos(t, std::min(caben, (t.rows.size() + kFilasPorGrupo - 1) / kFilasPorGrupo));
        }
        const std::vector<qreal> w = anchos(t, f_, d_);
        const auto partes = bloques(w, ancho_);
        for (const auto& [desde, hasta] : partes) {
            // A table under its part's heading has no caption of its own, until it splits.
            QString titulo = aTexto(t.caption);
            if (partes.size() > 1)
                titulo += (titulo.isEmpty() ? QStringLiteral("Columnas %1 a %2")
                                            : QStringLiteral(": columnas %1 a %2"))
                              .arg(aTexto(t.headers[desde]), aTexto(t.headers[hasta - 1]));
            bloque(t, w, desde, hasta, titulo);
        }
    }

    void terminar() { pie(); }

private:
    void bloque(const Table& t, const std::vector<qreal>& w, std::size_t desde, std::size_t hasta,
                const QString& titulo)
    {
        const QFontMetricsF m(f_.tabla, &d_);
        const qreal fila = m.height() * 1.3;
        asegurar(m.height() * 1.5 + fila * 3);
        if (!titulo.isEmpty())
            parrafo(titulo, f_.cabecera, 0.2);
        cabecera(t, w, desde, hasta, fila);
        for (const auto& celdas : t.rows) {
            if (y_ + fila > alto_) {
                nuevaPagina();
                parrafo((titulo.isEmpty() ? QStringLiteral("Continuación")
                                          : titulo + QStringLiteral(" (continuación)")),
                        f_.cabecera, 0.2);
                cabecera(t, w, desde, hasta, fila);
            }
            const qreal base = y_ + (fila - m.height()) / 2 + m.ascent();
            celda(t, 0, 0, w, celdas.front(), base, false);
            qreal x = w.front();
            for (std::size_t j = desde; j < hasta && j < celdas.size(); x += w[j++])
                celda(t, j, x, w, celdas[j], base, false);
            y_ += fila;
        }
        y_ += fila * 0.6;
    }

    void cabecera(const Table& t, const std::vector<qreal>& w, std::size_t desde, std::size_t hasta,
                  qreal fila)
    {
        const QFontMetricsF m(f_.cabecera, &d_);
        qreal ancho = w.front();
        for (std::size_t j = desde; j < hasta; ++j)
            ancho += w[j];
        p_.fillRect(QRectF(0, y_, ancho, fila), QColor(230, 230, 230));
        const qreal base = y_ + (fila - m.height()) / 2 + m.ascent();
        celda(t, 0, 0, w, t.headers.front(), base, true);
        qreal x = w.front();
        for (std::size_t j = desde; j < hasta; x += w[j++])
            celda(t, j, x, w, t.headers[j], base, true);
        y_ += fila;
        p_.drawLine(QPointF(0, y_), QPointF(ancho, y_));
    }

    // One cell from x on: the names of rows in bold on the left, the rest on the right.
    void celda(const Table& t, std::size_t j, qreal x, const std::vector<qreal>& w,
               const std::string& texto, qreal base, bool cabecera)
    {
        const bool rotulo = esRotulo(t, j);
        const bool negrita = cabecera || rotulo;
        // Thirty thousand cells at n = 100: the font changes only when it must.
        if (negrita != negrita_) {
            p_.setFont(negrita ? f_.cabecera : f_.tabla);
            negrita_ = negrita;
        }
        const QFontMetricsF& m = negrita ? mCabecera_ : mTabla_;
        const QString s = aTexto(texto);
        if (rotulo)
            p_.drawText(QPointF(j == 0 ? x : x + m.averageCharWidth() * 2, base), s);
        else
            p_.drawText(QPointF(x + w[j] - m.horizontalAdvance(s) - m.averageCharWidth(), base), s);
    }

    void asegurar(qreal alto)
    {
        if (y_ > 0 && y_ + alto > alto_)
            nuevaPagina();
    }

    void nuevaPagina()
    {
        pie();
        d_.newPage();
        ++pagina_;
        y_ = 0;
    }

    void pie()
    {
        p_.setFont(f_.tabla);
        negrita_.reset();
        const QRectF area = areaUtil(d_);
        p_.drawText(QRectF(0, 0, ancho_, area.height()), Qt::AlignBottom | Qt::AlignRight,
                    QStringLiteral("%1 · página %2").arg(pie_).arg(pagina_));
    }

    QPainter& p_;
    QPagedPaintDevice& d_;
    const Fuentes f_;
    const QString pie_;
    const qreal ancho_;
    const qreal alto_;
    const QFontMetricsF mTabla_{f_.tabla, &d_};
    const QFontMetricsF mCabecera_{f_.cabecera, &d_};
    // The painter's font in the cells, which other text may have changed meanwhile.
    std::optional<bool> negrita_;
    qreal y_ = 0;
    int pagina_ = 1;
};

Table tablaDeCifras(const std::vector<verification::Figure>& cifras)
{
    Table t{{}, {"Medida", "Valor"}, {}};
    for (const verification::Figure& c : cifras)
        t.rows.push_back({c.label, c.value});
    return t;
}

} // namespace

namespace ReportPages {

void orient(const report::SolveReport& report, QPagedPaintDevice& device)
{
    QPageLayout hoja = device.pageLayout();
    hoja.setOrientation(QPageLayout::Portrait);
    const qreal vertical = hoja.paintRectPixels(device.logicalDpiX()).width();
    const qreal necesario = anchoTotal(anchos(report.system, Fuentes(), device));
    device.setPageOrientation(necesario > vertical ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
}

bool paint(const report::SolveReport& r, QPagedPaintDevice& device)
{
    QPainter p;
    if (!p.begin(&device))
        return false;
    const Fuentes f;
    Escritor e(p, device, QStringLiteral("Sorvani · %1").arg(aTexto(r.method)));
    e.parrafo(aTexto(r.title), f.titulo, 0.3);
    e.parrafo(QStringLiteral("Fecha: %1").arg(aTexto(r.date)), f.texto, 0.1);
    e.parrafo(QStringLiteral("Método: %1").arg(aTexto(r.method)), f.texto);
    for (const report::Part part : r.order) {
        e.seccion(report::partTitle(part));
        switch (part) {
        case report::Part::System:
            e.tabla(r.system);
            break;
        case report::Part::Exchanges:
            for (const std::string& s : r.exchanges)
                e.parrafo(aTexto(s), f.texto);
            e.tabla(r.exchangeOrder);
            break;
        case report::Part::Factors:
            e.tabla(r.b);
            e.tabla(r.c);
            break;
        case report::Part::Solution:
            e.tabla(r.solution);
            break;
        case report::Part::Summary:
            for (const std::string& s : r.statements)
                e.parrafo(aTexto(s), f.texto);
            e.tabla(tablaDeCifras(r.figures));
            break;
        }
    }
    e.terminar();
    return p.end();
}

} // namespace ReportPages
