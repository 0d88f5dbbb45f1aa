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
        columnas << aTexto(t.headers[c]);
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

    auto* marco = new QVBoxLayout(this);
    marco->addWidget(rotulo(this, aTexto(informe.heading), QStringLiteral("Et_Titulo")));
    int k = 0;
    for (const std::string& frase : informe.statements)
        marco->addWidget(rotulo(this, aTexto(frase), QStringLiteral("Et_Frase%1").arg(++k)));

    if (!informe.rowOrder.rows.empty()) {
        marco->addWidget(
            rotulo(this, aTexto(informe.rowOrder.caption), QStringLiteral("Et_Orden")));
        QTableWidget* orden = tabla(this, informe.rowOrder, "T_Orden");
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
        QLabel* titulo = rotulo(this, aTexto(t->caption),
                                QStringLiteral("Et_%1").arg(QLatin1String(nombre + 2)));
        QTableWidget* w = tabla(this, *t, nombre);
        titulo->setBuddy(w);
        columna->addWidget(titulo);
        columna->addWidget(w);
        // Two fifths for the residuals: room for their caption on one line.
        tablas->addLayout(columna, t == &informe.residuals ? 2 : 3);
    }
    marco->addLayout(tablas, 1);

    auto* cifras = new QFormLayout;
    k = 0;
    for (const verification::Figure& f : informe.figures) {
        QLabel* valor = rotulo(this, aTexto(f.value), QStringLiteral("Et_Valor%1").arg(++k));
        valor->setAccessibleName(aTexto(f.label));
        valor->setAccessibleDescription(aTexto(f.value));
        valor->setWordWrap(false);
        cifras->addRow(aTexto(f.label), valor);
    }
    marco->addLayout(cifras);

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
    marco->addWidget(botones);

    resize(640, 520);
    const QScreen* pantalla = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (pantalla)
        move(pantalla->availableGeometry().center() - rect().center());
    cerrar->setFocus();
}

void frmVerificacion::Copiar_Click()
{
    QApplication::clipboard()->setText(texto_);
}
