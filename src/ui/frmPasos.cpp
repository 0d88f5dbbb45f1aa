#include "ui/frmPasos.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "ui/DigitsLostScale.h"
#include "ui/StatusLine.h"
#include "ui/StepMarks.h"
#include "ui/StepTreeModel.h"
#include "verification/ReportText.h"
#include "verification/StepSentences.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontMetrics>
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

    for (std::size_t s = 0; s < trace_.stages.size(); ++s) {
        const solver::Stage& stage = trace_.stages[s];
        const auto first = std::ptrdiff_t(stage.firstStep);
        if (stage.kind == solver::StageKind::ForwardSubstitution && forwardStart_ < 0)
            forwardStart_ = first;
        if (stage.kind == solver::StageKind::BackSubstitution && backStart_ < 0)
            backStart_ = first;
    }

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

    buildGrid();
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

bool frmPasos::columnShown(MatrixName m, int col) const
{
    if (col < trace_.n)
        return true;
    return m == MatrixName::A || (m == MatrixName::B ? yShown_ : xShown_);
}

std::optional<QPoint> frmPasos::gridCell(MatrixName m, int row, int col) const
{
    const int n = trace_.n;
    if (trace_.method == solver::Method::GaussJordan)
        return m == MatrixName::A ? std::optional<QPoint>(QPoint(row + 1, col + 1)) : std::nullopt;
    if (m == MatrixName::A)
        return std::nullopt;
    return QPoint(row + 1, col + 1 + (m == MatrixName::C ? n + 1 : 0));
}

std::optional<frmPasos::Cell> frmPasos::matrixCell(int gridRow, int gridCol) const
{
    const int n = trace_.n;
    const int row = gridRow - 1;
    int col = gridCol - 1;
    if (row < 0 || row >= n || col < 0)
        return std::nullopt;
    if (trace_.method == solver::Method::GaussJordan)
        return col <= n ? std::optional<Cell>(Cell{MatrixName::A, row, col}) : std::nullopt;
    MatrixName m = MatrixName::B;
    if (col > n) {
        m = MatrixName::C;
        col -= n + 1;
    }
    return col <= n ? std::optional<Cell>(Cell{m, row, col}) : std::nullopt;
}

void frmPasos::buildGrid()
{
    const int n = trace_.n;
    const bool gauss = trace_.method == solver::Method::GaussJordan;
    const int cols = gauss ? n + 2 : 2 * n + 3;
    const GridControl::BulkUpdate bulk(*F_Paso);
    F_Paso->setCols(cols);
    F_Paso->setRows(n + 1);
    F_Paso->setFixedRows(1);
    F_Paso->setFixedCols(1);
    F_Paso->setAccessibleName(gauss ? QStringLiteral("Matriz A ampliada")
                                    : QStringLiteral("Matrices B y C"));
    Et_Matriz->setText(
        gauss ? QStringLiteral("Matriz A ampliada con los términos independientes (T.I):")
              : QStringLiteral("Matriz B con la columna y, matriz C con la columna x:"));
    for (int i = 0; i < n; ++i)
        F_Paso->setTextMatrix(i + 1, 0, QStringLiteral("Fila %1").arg(i + 1));
    if (gauss) {
        for (int j = 0; j < n; ++j)
            F_Paso->setTextMatrix(0, j + 1, QStringLiteral("X%1").arg(j + 1));
        F_Paso->setTextMatrix(0, n + 1, QStringLiteral("T.I"));
    } else {
        for (int j = 0; j < n; ++j) {
            F_Paso->setTextMatrix(0, j + 1, QStringLiteral("B%1").arg(j + 1));
            F_Paso->setTextMatrix(0, j + n + 2, QStringLiteral("C%1").arg(j + 1));
        }
        F_Paso->setTextMatrix(0, n + 1, QStringLiteral("y"));
        F_Paso->setTextMatrix(0, 2 * n + 2, QStringLiteral("x"));
    }
    // Room for seven significant digits with sign and separator; twips at 15 a pixel.
    const int twipsPerPixel = 15;
    const int margin = 8;
    const QFontMetrics metrics(F_Paso->font());
    F_Paso->setColWidth(0, (metrics.horizontalAdvance(QStringLiteral("Fila 100")) + margin) *
                               twipsPerPixel);
    const int width =
        (metrics.horizontalAdvance(QStringLiteral("-0,0000000")) + margin) * twipsPerPixel;
    for (int c = 1; c < cols; ++c) {
        F_Paso->setColWidth(c, width);
        F_Paso->setColAlignment(c, GridControl::AlignRightCenter);
    }
}

void frmPasos::writeCell(MatrixName m, int row, int col)
{
    const std::optional<QPoint> at = gridCell(m, row, col);
    if (!at)
        return;
    QString text;
    if (columnShown(m, col))
        text = toText(solver::generalText(cursor_->matrices().single(m).at(row, col), separator_));
    F_Paso->setTextMatrix(at->x(), at->y(), std::move(text));
}

void frmPasos::writeAll()
{
    const int n = trace_.n;
    const GridControl::BulkUpdate bulk(*F_Paso);
    for (const MatrixName m : {MatrixName::A, MatrixName::B, MatrixName::C})
        for (int i = 0; i < n; ++i)
            for (int j = 0; j <= n; ++j)
                writeCell(m, i, j);
}

void frmPasos::writeRuns(std::uint32_t from, std::uint32_t to)
{
    const GridControl::BulkUpdate bulk(*F_Paso);
    for (std::uint32_t r = from; r < to; ++r) {
        const solver::WriteRun& run = trace_.runs[r];
        for (int c = run.firstCol; c < run.firstCol + run.count; ++c)
            writeCell(run.matrix, run.row, c);
    }
}

std::uint32_t frmPasos::runsAfter(std::ptrdiff_t k) const
{
    return k < 0 ? 0 : trace_.steps[std::size_t(k)].runsEnd;
}

void frmPasos::showStep(std::ptrdiff_t k)
{
    if (k == shown_)
        return;
    const std::ptrdiff_t before = shown_;
    cursor_->seek(k);
    shown_ = k;
    const bool y =
        trace_.method == solver::Method::Choleski && forwardStart_ >= 0 && k >= forwardStart_;
    const bool x = trace_.method == solver::Method::Choleski && backStart_ >= 0 && k >= backStart_;
    // A change of step rewrites only the cells written in between, unless the work columns
    // appear or go.
    if (before < -1 || y != yShown_ || x != xShown_) {
        yShown_ = y;
        xShown_ = x;
        writeAll();
    } else {
        const std::uint32_t a = runsAfter(std::min(before, k));
        const std::uint32_t b = runsAfter(std::max(before, k));
        writeRuns(a, b);
    }
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
    std::vector<QPoint> written;
    std::optional<QPoint> pivot;
    if (shown_ >= 0) {
        const solver::Step& s = trace_.steps[std::size_t(shown_)];
        for (const solver::WriteRun& run : trace_.writesOf(std::size_t(shown_)))
            for (int c = run.firstCol; c < run.firstCol + run.count; ++c)
                if (const auto at = gridCell(run.matrix, run.row, c))
                    written.push_back(*at);
        switch (s.kind) {
        case solver::StepKind::ElementC:
            pivot = gridCell(MatrixName::B, s.row, s.row);
            break;
        case solver::StepKind::DivideRow:
            pivot = gridCell(s.matrix, s.row, s.row);
            break;
        case solver::StepKind::EliminateRow:
            pivot = gridCell(s.matrix, s.pivotRow, s.pivotRow);
            break;
        case solver::StepKind::Trap:
            if (s.col >= 0)
                pivot = gridCell(s.matrix, s.row, s.col);
            break;
        default:
            break;
        }
        // The change in view, without moving the current cell.
        const std::optional<QPoint> focus =
            !written.empty() ? std::optional<QPoint>(written.front()) : pivot;
        if (focus)
            F_Paso->scrollTo(F_Paso->model()->index(focus->x(), focus->y()));
    }
    marks_->setMarks(std::move(written), pivot);
}

void frmPasos::cellChanged()
{
    if (!F_Paso->hasCurrentCell()) {
        Et_Celda->clear();
        return;
    }
    const std::optional<Cell> cell = matrixCell(F_Paso->Row(), F_Paso->Col());
    if (!cell || !columnShown(cell->matrix, cell->col)) {
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
        const std::optional<Cell> cell = matrixCell(row, col);
        if (!cell || !columnShown(cell->matrix, cell->col))
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
    moveTo(std::max<std::ptrdiff_t>(shown_ - 1, 0));
}

void frmPasos::Siguiente_Click()
{
    moveTo(std::min<std::ptrdiff_t>(shown_ + 1, std::ptrdiff_t(model_->stepCount()) - 1));
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
