#include "ui/frmPasos.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "ui/DigitsLost.h"
#include "ui/DigitsLostLegend.h"
#include "ui/StatusLine.h"
#include "ui/StepGridFiller.h"
#include "ui/StepMarks.h"
#include "ui/StepTreeModel.h"
#include "verification/ReportText.h"
#include "verification/StepSentences.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

using solver::MatrixName;

QString toText(const std::string& s)
{
    return QString::fromStdString(s);
}

QLabel* label(QWidget* parent, const QString& text, const char* name)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton* button(QDialogButtonBox* box, const QString& text, const char* name,
                    const QKeySequence& keys)
{
    QPushButton* b = box->addButton(text, QDialogButtonBox::ActionRole);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setAccessibleName(text);
    if (!keys.isEmpty()) {
        const QString shortcut = keys.toString(QKeySequence::NativeText);
        b->setToolTip(shortcut);
        b->setAccessibleDescription(shortcut);
        auto* s = new QShortcut(keys, box->parentWidget());
        QObject::connect(s, &QShortcut::activated, b, &QPushButton::click);
    }
    return b;
}

// Fifteen significant digits: what the double adds to the single's seven.
constexpr int kShadowDigits = 15;

// A window of the main window's font, as the other dialogs.
QFont faceOf(const QWidget* parent)
{
    if (parent)
        return parent->font();
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

} // namespace

frmPasos::frmPasos(solver::StepTrace trace, const QString& explanation, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      trace_(std::move(trace)), separator_(QLocale().decimalPoint().toStdString()),
      cursor_(std::make_unique<solver::TraceCursor>(trace_))
{
    setObjectName(QStringLiteral("frmPasos"));
    setWindowTitle(QStringLiteral("Paso a paso — ") +
                   toText(verification::methodTitle(trace_.method)));
    setAccessibleName(windowTitle());
    setFont(faceOf(parent));
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    if (!explanation.isEmpty()) {
        QLabel* why = label(this, explanation, "Et_Motivo");
        why->setAccessibleName(explanation);
        why->setFrameShape(QFrame::StyledPanel);
        why->setMargin(4);
        layout->addWidget(why);
    }

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);

    model_ = new StepTreeModel(trace_, QLocale().decimalPoint(), this);
    LstPasos = new QTreeView(split);
    LstPasos->setObjectName(QStringLiteral("LstPasos"));
    LstPasos->setAccessibleName(QStringLiteral("Pasos"));
    LstPasos->setHeaderHidden(true);
    LstPasos->setUniformRowHeights(true);
    LstPasos->setModel(model_);
    LstPasos->setSelectionMode(QAbstractItemView::SingleSelection);
    LstPasos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstPasos->header()->setStretchLastSection(true);
    split->addWidget(LstPasos);

    auto* right = new QWidget(split);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    Et_Matriz = label(right, {}, "Et_Matriz");
    F_Paso = new GridControl(right);
    F_Paso->setObjectName(QStringLiteral("F_Paso"));
    Et_Matriz->setBuddy(F_Paso);
    column->addWidget(Et_Matriz);
    column->addWidget(F_Paso, 1);
    marks_ = new StepMarks(*F_Paso);
    filler_ = std::make_unique<StepGridFiller>(trace_, *cursor_, *F_Paso, separator_);

    Et_Celda = label(right, {}, "Et_Celda");
    column->addWidget(Et_Celda);

    auto* keyRow = new QHBoxLayout;
    Ch_Cifras = new QCheckBox(QStringLiteral("Colorear por cifras perdidas"), right);
    Ch_Cifras->setObjectName(QStringLiteral("Ch_Cifras"));
    Ch_Cifras->setAccessibleName(Ch_Cifras->text());
    legend_ = new DigitsLostLegend(right);
    legend_->setVisible(false);
    QLabel* signs = label(
        right, QStringLiteral("◤ escrita en este paso    ▭ pivote (marco grueso)"), "Et_Marcas");
    signs->setAccessibleName(QStringLiteral(
        "Marcas: un triángulo en la esquina y un marco de trazos en las celdas escritas en "
        "este paso; un marco grueso en el pivote"));
    keyRow->addWidget(Ch_Cifras);
    keyRow->addWidget(legend_);
    keyRow->addStretch(1);
    column->addLayout(keyRow);
    column->addWidget(signs);
    split->addWidget(right);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    layout->addWidget(split, 1);

    Et_Paso = new StatusLine({}, this);
    Et_Paso->setObjectName(QStringLiteral("Et_Paso"));
    Et_Paso->setWordWrap(true);
    Et_Paso->setAccessibleDescription(QStringLiteral("Paso seleccionado"));
    layout->addWidget(Et_Paso);

    auto* buttons = new QDialogButtonBox(this);
    B_Inicio =
        button(buttons, QStringLiteral("Inicio"), "B_Inicio", QKeySequence(Qt::ALT | Qt::Key_Home));
    B_Anterior = button(buttons, QStringLiteral("Anterior"), "B_Anterior",
                        QKeySequence(Qt::ALT | Qt::Key_Left));
    B_Siguiente = button(buttons, QStringLiteral("Siguiente"), "B_Siguiente",
                         QKeySequence(Qt::ALT | Qt::Key_Right));
    B_Fin = button(buttons, QStringLiteral("Fin"), "B_Fin", QKeySequence(Qt::ALT | Qt::Key_End));
    QPushButton* copiar = button(buttons, QStringLiteral("Copiar"), "B_Copiar", {});
    QPushButton* cerrar =
        buttons->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    cerrar->setObjectName(QStringLiteral("B_Cerrar"));
    cerrar->setAccessibleName(cerrar->text());
    cerrar->setDefault(true);
    layout->addWidget(buttons);

    connect(B_Inicio, &QPushButton::clicked, this, &frmPasos::Inicio_Click);
    connect(B_Anterior, &QPushButton::clicked, this, &frmPasos::Anterior_Click);
    connect(B_Siguiente, &QPushButton::clicked, this, &frmPasos::Siguiente_Click);
    connect(B_Fin, &QPushButton::clicked, this, &frmPasos::Fin_Click);
    connect(copiar, &QPushButton::clicked, this, &frmPasos::Copiar_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(LstPasos->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { selectionChanged(current); });
    connect(F_Paso, &GridControl::RowColChange, this, &frmPasos::cellChanged);
    connect(Ch_Cifras, &QCheckBox::toggled, this, &frmPasos::colouringToggled);

    const bool gauss = trace_.method == solver::Method::GaussJordan;
    F_Paso->setAccessibleName(gauss ? QStringLiteral("Matriz A ampliada")
                                    : QStringLiteral("Matrices B y C"));
    Et_Matriz->setText(
        gauss ? QStringLiteral("Matriz A ampliada con los términos independientes (T.I):")
              : QStringLiteral("Matriz B con la columna y, matriz C con la columna x:"));
    filler_->layOut();
    moveTo(model_->stepCount() > 0 ? 0 : -1);

    // Within the screen at any scale; as large as the screen allows up to a comfortable size.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize wanted(std::min(1100, available.width() * 9 / 10),
                       std::min(620, available.height() * 9 / 10));
    resize(wanted);
    // The sentences are long: two fifths for the tree.
    split->setSizes({wanted.width() * 2 / 5, wanted.width() * 3 / 5});
    move(available.center() - rect().center());
    LstPasos->setFocus();
}

frmPasos::~frmPasos() = default;

std::ptrdiff_t frmPasos::shownStep() const
{
    return filler_->shown();
}

void frmPasos::showStep(std::ptrdiff_t k)
{
    if (k == filler_->shown())
        return;
    filler_->show(k);
    markStep();
    cellChanged();

    const std::size_t count = trace_.steps.size();
    const QString text = k < 0 ? QStringLiteral("Antes del primer paso")
                               : QStringLiteral("Paso %1 de %2: %3")
                                     .arg(k + 1)
                                     .arg(count)
                                     .arg(model_->sentence(std::size_t(k)));
    Et_Paso->setText(text);
    B_Inicio->setEnabled(count > 0 && k != 0);
    B_Anterior->setEnabled(k > 0);
    B_Siguiente->setEnabled(k + 1 < std::ptrdiff_t(count));
    B_Fin->setEnabled(count > 0 && k + 1 != std::ptrdiff_t(count));
}

void frmPasos::markStep()
{
    StepGridFiller::StepCells cells = filler_->cellsOf(filler_->shown());
    // The change in view, without moving the current cell.
    const std::optional<QPoint> focus =
        !cells.written.empty() ? std::optional<QPoint>(cells.written.front()) : cells.pivot;
    if (focus)
        F_Paso->scrollTo(F_Paso->model()->index(focus->x(), focus->y()));
    marks_->setMarks(std::move(cells.written), cells.pivot);
}

void frmPasos::cellChanged()
{
    if (!F_Paso->hasCurrentCell()) {
        Et_Celda->clear();
        return;
    }
    const auto cell = filler_->elementAt(F_Paso->Row(), F_Paso->Col());
    if (!cell) {
        Et_Celda->setText(QStringLiteral("Celda sin valor en este paso."));
        Et_Celda->setAccessibleName(Et_Celda->text());
        return;
    }
    const float single = cursor_->matrices().single(cell->matrix).at(cell->row, cell->col);
    const double shadow = cursor_->matrices().shadow(cell->matrix).at(cell->row, cell->col);
    const char letter = cell->matrix == MatrixName::A   ? 'A'
                        : cell->matrix == MatrixName::B ? 'B'
                                                        : 'C';
    const double ulps = std::abs(solver::TracedValue{single, shadow}.ulps());
    const QString ulpText = std::isfinite(ulps)
                                ? toText(verification::numberText(ulps, 3, separator_))
                                : QStringLiteral("incontables");
    const QString text =
        QStringLiteral("%1(%2,%3): precisión simple %4; precisión doble %5; diferencia %6 "
                       "unidades en la última cifra (%7).")
            .arg(QLatin1Char(letter))
            .arg(cell->row + 1)
            .arg(cell->col + 1)
            .arg(toText(solver::generalText(single, separator_)),
                 toText(verification::numberText(shadow, kShadowDigits, separator_)), ulpText,
                 DigitsLost::words(DigitsLost::digitsLost(single, shadow)));
    Et_Celda->setText(text);
    Et_Celda->setAccessibleName(text);
}

void frmPasos::colouringToggled(bool on)
{
    legend_->setVisible(on);
    if (!on) {
        marks_->setColouring({});
        return;
    }
    marks_->setColouring([this](int row, int col) {
        const auto cell = filler_->elementAt(row, col);
        if (!cell)
            return -1;
        const solver::TracedMatrices& m = cursor_->matrices();
        return DigitsLost::digitsLost(m.single(cell->matrix).at(cell->row, cell->col),
                                      m.shadow(cell->matrix).at(cell->row, cell->col));
    });
}

void frmPasos::selectionChanged(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    const std::ptrdiff_t step = model_->stepOf(current);
    if (step >= 0) {
        showStep(step);
        return;
    }
    // A stage shows the matrix as it begins.
    const std::size_t stage = model_->stageOf(current);
    showStep(std::ptrdiff_t(trace_.stages[stage].firstStep) - 1);
    Et_Paso->setText(current.data().toString() +
                     QStringLiteral(": la matriz antes de su primer paso"));
}

void frmPasos::moveTo(std::ptrdiff_t step)
{
    if (step < 0 || std::size_t(step) >= model_->stepCount()) {
        showStep(-1);
        return;
    }
    const QModelIndex index = model_->indexOfStep(std::size_t(step));
    LstPasos->setCurrentIndex(index);
    LstPasos->scrollTo(index);
    showStep(step);
}

void frmPasos::Inicio_Click()
{
    moveTo(0);
}

void frmPasos::Anterior_Click()
{
    moveTo(std::max<std::ptrdiff_t>(shownStep() - 1, 0));
}

void frmPasos::Siguiente_Click()
{
    moveTo(std::min<std::ptrdiff_t>(shownStep() + 1, std::ptrdiff_t(model_->stepCount()) - 1));
}

void frmPasos::Fin_Click()
{
    moveTo(std::ptrdiff_t(model_->stepCount()) - 1);
}

void frmPasos::Copiar_Click()
{
    QString text = Et_Paso->text() + QLatin1Char('\n');
    for (int r = 0; r < F_Paso->Rows(); ++r) {
        QStringList line;
        for (int c = 0; c < F_Paso->Cols(); ++c)
            line << F_Paso->TextMatrix(r, c);
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}
