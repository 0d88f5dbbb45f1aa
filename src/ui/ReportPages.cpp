#include "ui/ReportPages.h"

#include "report/SolveReport.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
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
            w[j] = std::max(w[j], (j == 0 ? negrita : normal).horizontalAdvance(aTexto(fila[j])));
    for (qreal& x : w)
        x += hueco;
    return w;
}

// Columns 1 on in blocks [first, last) that fit beside the naming column; one column at
// least per block, however wide.
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
    return b;
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

    void tabla(const Table& t)
    {
        if (t.rows.empty())
            return;
        const std::vector<qreal> w = anchos(t, f_, d_);
        const auto partes = bloques(w, ancho_);
        for (const auto& [desde, hasta] : partes) {
            QString titulo = aTexto(t.caption);
            if (partes.size() > 1)
                titulo += QStringLiteral(": columnas %1 a %2")
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
        parrafo(titulo, f_.cabecera, 0.2);
        cabecera(t, w, desde, hasta, fila);
        p_.setFont(f_.tabla);
        for (const auto& celdas : t.rows) {
            if (y_ + fila > alto_) {
                nuevaPagina();
                parrafo(titulo + QStringLiteral(" (continuación)"), f_.cabecera, 0.2);
                cabecera(t, w, desde, hasta, fila);
                p_.setFont(f_.tabla);
            }
            const qreal base = y_ + (fila - m.height()) / 2 + m.ascent();
            p_.setFont(f_.cabecera);
            p_.drawText(QPointF(0, base), aTexto(celdas.front()));
            p_.setFont(f_.tabla);
            qreal x = w.front();
            for (std::size_t j = desde; j < hasta; ++j) {
                x += w[j];
                if (j < celdas.size()) {
                    const QString texto = aTexto(celdas[j]);
                    p_.drawText(
                        QPointF(x - m.horizontalAdvance(texto) - m.averageCharWidth(), base),
                        texto);
                }
            }
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
        p_.setFont(f_.cabecera);
        const qreal base = y_ + (fila - m.height()) / 2 + m.ascent();
        p_.drawText(QPointF(0, base), aTexto(t.headers.front()));
        qreal x = w.front();
        for (std::size_t j = desde; j < hasta; ++j) {
            x += w[j];
            const QString texto = aTexto(t.headers[j]);
            p_.drawText(QPointF(x - m.horizontalAdvance(texto) - m.averageCharWidth(), base),
                        texto);
        }
        y_ += fila;
        p_.drawLine(QPointF(0, y_), QPointF(ancho, y_));
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
    qreal y_ = 0;
    int pagina_ = 1;
};

Table tablaDeCifras(const std::vector<verification::Figure>& cifras)
{
    Table t{"Resumen", {"Medida", "Valor"}, {}};
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
