#include "ui/frmVerificacion.h"

#include "ui/DialogFont.h"
#include "verification/ReportText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString aTexto(const std::string& s)
{
    return QString::fromStdString(s);
}

QLabel* rotulo(QWidget* parent, const QString& texto, const QString& nombre)
{
    auto* l = new QLabel(texto, parent);
    l->setObjectName(nombre);
    l->setAccessibleName(texto);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// A read-only table whose first column names the rows: it becomes the row header, so a
// screen reader announces "EQ3" or "X2" with each value.
QTableWidget* tabla(QWidget* parent, const verification::Table& t, const char* nombre)
{
    auto* w = new QTableWidget(int(t.rows.size()), int(t.headers.size()) - 1, parent);
    w->setObjectName(QLatin1String(nombre));
    w->setAccessibleName(aTexto(t.caption));
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::ContiguousSelection);
    w->setTabKeyNavigation(false);
    w->setWordWrap(false);
    QStringList columnas;
    for (std::size_t c = 1; c < t.headers.size(); ++c)
        // A header with a comma takes two lines, narrow enough for four columns.
        columnas << aTexto(t.headers[c]).replace(QStringLiteral(", "), QStringLiteral(",\n"));
    w->setHorizontalHeaderLabels(columnas);
    QStringList filas;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        filas << aTexto(t.rows[r].front());
        for (std::size_t c = 1; c < t.rows[r].size(); ++c) {
            auto* celda = new QTableWidgetItem(aTexto(t.rows[r][c]));
            celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            w->setItem(int(r), int(c - 1), celda);
        }
    }
    w->setVerticalHeaderLabels(filas);
    w->verticalHeader()->setDefaultSectionSize(w->fontMetrics().height() + 6);
    w->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return w;
}

// The window's face: the main window's, or the program's own without one.
QFont fuenteDe(const QWidget* parent)
{
    return parent ? parent->font() : dialogFont();
}

} // namespace

frmVerificacion::frmVerificacion(const verification::ReportText& informe, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      texto_(aTexto(verification::plainText(informe)))
{
    setObjectName(QStringLiteral("frmVerificacion"));
    setWindowTitle(QStringLiteral("Verificación de la solución"));
    setAccessibleName(windowTitle());
    setFont(fuenteDe(parent));

    // Everything but the buttons scrolls, so that the buttons stay in view on any screen.
    auto* contenido = new QWidget;
    contenido->setObjectName(QStringLiteral("Contenido"));
    auto* marco = new QVBoxLayout(contenido);
    marco->setContentsMargins(0, 0, 0, 0);
    marco->addWidget(rotulo(contenido, aTexto(informe.heading), QStringLiteral("Et_Titulo")));
    int k = 0;
    for (const std::string& frase : informe.statements)
        marco->addWidget(rotulo(contenido, aTexto(frase), QStringLiteral("Et_Frase%1").arg(++k)));

    if (!informe.rowOrder.rows.empty()) {
        marco->addWidget(
            rotulo(contenido, aTexto(informe.rowOrder.caption), QStringLiteral("Et_Orden")));
        QTableWidget* orden = tabla(contenido, informe.rowOrder, "T_Orden");
        // A few rows in view; a longer list scrolls.
        const int filas = int(std::min<std::size_t>(informe.rowOrder.rows.size(), 3));
        orden->setMaximumHeight(orden->horizontalHeader()->sizeHint().height() +
                                orden->verticalHeader()->defaultSectionSize() * filas +
                                2 * orden->frameWidth());
        marco->addWidget(orden);
    }

    auto* tablas = new QHBoxLayout;
    for (const auto& [t, nombre] : {std::pair{&informe.residuals, "T_Residuos"},
                                    std::pair{&informe.solution, "T_Solucion"}}) {
        auto* columna = new QVBoxLayout;
        QLabel* titulo = rotulo(contenido, aTexto(t->caption),
                                QStringLiteral("Et_%1").arg(QLatin1String(nombre + 2)));
        QTableWidget* w = tabla(contenido, *t, nombre);
        titulo->setBuddy(w);
        columna->addWidget(titulo);
        columna->addWidget(w);
        // Two fifths for the residuals, room for their caption on one line; a third where
        // the solution has both references.
        const bool dos = informe.solution.headers.size() > 4;
        tablas->addLayout(columna, t == &informe.residuals ? (dos ? 1 : 2) : (dos ? 2 : 3));
    }
    marco->addLayout(tablas, 1);

    auto* cifras = new QFormLayout;
    k = 0;
    for (const verification::Figure& f : informe.figures) {
        QLabel* valor = rotulo(contenido, aTexto(f.value), QStringLiteral("Et_Valor%1").arg(++k));
        valor->setAccessibleName(aTexto(f.label));
        valor->setAccessibleDescription(aTexto(f.value));
        valor->setWordWrap(false);
        cifras->addRow(aTexto(f.label), valor);
    }
    marco->addLayout(cifras);

    auto* desplazable = new QScrollArea(this);
    desplazable->setObjectName(QStringLiteral("Desplazable"));
    desplazable->setWidgetResizable(true);
    desplazable->setFrameShape(QFrame::NoFrame);
    desplazable->setWidget(contenido);
    auto* ventana = new QVBoxLayout(this);
    ventana->addWidget(desplazable, 1);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* copiar =
        botones->addButton(QStringLiteral("Copiar"), QDialogButtonBox::ActionRole);
    copiar->setObjectName(QStringLiteral("B_Copiar"));
    copiar->setAccessibleName(copiar->text());
    // Enter closes the dialog even while "Copiar" has the focus.
    copiar->setAutoDefault(false);
    QPushButton* cerrar =
        botones->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    cerrar->setObjectName(QStringLiteral("B_Cerrar"));
    cerrar->setAccessibleName(cerrar->text());
    cerrar->setDefault(true);
    connect(copiar, &QPushButton::clicked, this, &frmVerificacion::Copiar_Click);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ventana->addWidget(botones);

    // Room for everything without scrolling where the screen has it: the content's height,
    // and wider where the solution shows both references.
    const QMargins margenes = ventana->contentsMargins();
    const QSize deseado(informe.solution.headers.size() > 4 ? 720 : 640,
                        contenido->sizeHint().height() + ventana->spacing() +
                            botones->sizeHint().height() + margenes.top() + margenes.bottom());
    ajustarALaPantalla(parent ? parent->screen() : QGuiApplication::primaryScreen(), deseado);
    cerrar->setFocus();
}

// The size wanted, at least 640 × 520, within the screen's free area, the window frame
// included; the content scrolls inside what is left.
void frmVerificacion::ajustarALaPantalla(const QScreen* pantalla, QSize tamano)
{
    tamano = tamano.expandedTo(QSize(640, 520));
    if (!pantalla) {
        resize(tamano);
        return;
    }
    const QRect libre = pantalla->availableGeometry();
    // The frame the window manager adds; before the first showing, a usual title bar's.
    const QMargins marcoDeVentana(8, 32, 8, 8);
    const QSize maximo = libre.marginsRemoved(marcoDeVentana).size();
    tamano = tamano.boundedTo(maximo);
    setMaximumSize(maximo);
    resize(tamano);
    QRect sitio(QPoint(), tamano);
    sitio.moveCenter(libre.center());
    move(sitio.topLeft().x(), std::max(sitio.top(), libre.top() + marcoDeVentana.top()));
}

void frmVerificacion::Copiar_Click()
{
    QApplication::clipboard()->setText(texto_);
}
