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

QString toText(const std::string& s)
{
    return QString::fromStdString(s);
}

QLabel* label(QWidget* parent, const QString& text, const QString& name)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAccessibleName(text);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// A read-only table whose first column names the rows: it becomes the row header, so a
// screen reader announces "EQ3" or "X2" with each value.
QTableWidget* table(QWidget* parent, const verification::Table& t, const char* name)
{
    auto* w = new QTableWidget(int(t.rows.size()), int(t.headers.size()) - 1, parent);
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(toText(t.caption));
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::ContiguousSelection);
    w->setTabKeyNavigation(false);
    w->setWordWrap(false);
    QStringList columnLabels;
    for (std::size_t c = 1; c < t.headers.size(); ++c)
        // A header with a comma takes two lines, narrow enough for four columns.
        columnLabels << toText(t.headers[c]).replace(QStringLiteral(", "), QStringLiteral(",\n"));
    w->setHorizontalHeaderLabels(columnLabels);
    QStringList rows;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        rows << toText(t.rows[r].front());
        for (std::size_t c = 1; c < t.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(toText(t.rows[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            w->setItem(int(r), int(c - 1), item);
        }
    }
    w->setVerticalHeaderLabels(rows);
    w->verticalHeader()->setDefaultSectionSize(w->fontMetrics().height() + 6);
    w->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return w;
}

// The window's face: the main window's, or the program's own without one.
QFont faceOf(const QWidget* parent)
{
    return parent ? parent->font() : dialogFont();
}

} // namespace

frmVerificacion::frmVerificacion(const verification::ReportText& checkReport, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      text_(toText(verification::plainText(checkReport)))
{
    setObjectName(QStringLiteral("frmVerificacion"));
    setWindowTitle(QStringLiteral("Verificación de la solución"));
    setAccessibleName(windowTitle());
    setFont(faceOf(parent));

    // Everything but the buttons scrolls, so that the buttons stay in view on any screen.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("Contenido"));
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(
        label(content, toText(checkReport.heading), QStringLiteral("Et_Titulo")));
    int k = 0;
    for (const std::string& sentence : checkReport.statements)
        contentLayout->addWidget(
            label(content, toText(sentence), QStringLiteral("Et_Frase%1").arg(++k)));

    if (!checkReport.rowOrder.rows.empty()) {
        contentLayout->addWidget(
            label(content, toText(checkReport.rowOrder.caption), QStringLiteral("Et_Orden")));
        QTableWidget* orderTable = table(content, checkReport.rowOrder, "T_Orden");
        // A few rows in view; a longer list scrolls.
        const int rows = int(std::min<std::size_t>(checkReport.rowOrder.rows.size(), 3));
        orderTable->setMaximumHeight(orderTable->horizontalHeader()->sizeHint().height() +
                                     orderTable->verticalHeader()->defaultSectionSize() * rows +
                                     2 * orderTable->frameWidth());
        contentLayout->addWidget(orderTable);
    }

    auto* tables = new QHBoxLayout;
    for (const auto& [t, name] : {std::pair{&checkReport.residuals, "T_Residuos"},
                                  std::pair{&checkReport.solution, "T_Solucion"}}) {
        auto* column = new QVBoxLayout;
        QLabel* caption = label(content, toText(t->caption),
                                QStringLiteral("Et_%1").arg(QLatin1String(name + 2)));
        QTableWidget* w = table(content, *t, name);
        caption->setBuddy(w);
        column->addWidget(caption);
        column->addWidget(w);
        // Two fifths for the residuals, room for their caption on one line; a third where
        // the solution has both references.
        const bool wide = checkReport.solution.headers.size() > 4;
        tables->addLayout(column, t == &checkReport.residuals ? (wide ? 1 : 2) : (wide ? 2 : 3));
    }
    contentLayout->addLayout(tables, 1);

    auto* figures = new QFormLayout;
    k = 0;
    for (const verification::Figure& f : checkReport.figures) {
        QLabel* value = label(content, toText(f.value), QStringLiteral("Et_Valor%1").arg(++k));
        value->setAccessibleName(toText(f.label));
        value->setAccessibleDescription(toText(f.value));
        value->setWordWrap(false);
        figures->addRow(toText(f.label), value);
    }
    contentLayout->addLayout(figures);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Desplazable"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copyButton =
        buttons->addButton(QStringLiteral("Copiar"), QDialogButtonBox::ActionRole);
    copyButton->setObjectName(QStringLiteral("B_Copiar"));
    copyButton->setAccessibleName(copyButton->text());
    // Enter closes the dialog even while "Copiar" has the focus.
    copyButton->setAutoDefault(false);
    QPushButton* closeButton =
        buttons->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("B_Cerrar"));
    closeButton->setAccessibleName(closeButton->text());
    closeButton->setDefault(true);
    connect(copyButton, &QPushButton::clicked, this, &frmVerificacion::Copiar_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);

    // Room for everything without scrolling where the screen has it: the content's height,
    // and wider where the solution shows both references.
    const QMargins margins = outer->contentsMargins();
    const QSize wanted(checkReport.solution.headers.size() > 4 ? 720 : 640,
                       content->sizeHint().height() + outer->spacing() +
                           buttons->sizeHint().height() + margins.top() + margins.bottom());
    fitToScreen(parent ? parent->screen() : QGuiApplication::primaryScreen(), wanted);
    closeButton->setFocus();
}

// The size wanted, at least 640 × 520, within the screen's free area, the window frame
// included; the content scrolls inside what is left.
void frmVerificacion::fitToScreen(const QScreen* screen, QSize wanted)
{
    wanted = wanted.expandedTo(QSize(640, 520));
    if (!screen) {
        resize(wanted);
        return;
    }
    const QRect available = screen->availableGeometry();
    // The frame the window manager adds; before the first showing, a usual title bar's.
    const QMargins windowFrame(8, 32, 8, 8);
    const QSize largest = available.marginsRemoved(windowFrame).size();
    wanted = wanted.boundedTo(largest);
    setMaximumSize(largest);
    resize(wanted);
    QRect place(QPoint(), wanted);
    place.moveCenter(available.center());
    move(place.topLeft().x(), std::max(place.top(), available.top() + windowFrame.top()));
}

void frmVerificacion::Copiar_Click()
{
    QApplication::clipboard()->setText(text_);
}
