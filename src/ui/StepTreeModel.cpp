#include "ui/StepTreeModel.h"

#include "steps/StepTrace.h"
#include "verification/StepSentences.h"

namespace {

// A stage's index carries 0; a step's carries its stage plus one.
constexpr quintptr kTop = 0;

} // namespace

StepTreeModel::StepTreeModel(const solver::StepTrace& trace, QString decimalSeparator,
                             QObject* parent)
    : QAbstractItemModel(parent), trace_(trace), separator_(decimalSeparator.toStdString()),
      sentences_(trace.steps.size())
{}

QModelIndex StepTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, kTop);
    return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex StepTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kTop)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kTop);
}

int StepTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(trace_.stages.size());
    if (parent.internalId() != kTop || parent.column() != 0)
        return 0;
    const solver::Stage& s = trace_.stages[std::size_t(parent.row())];
    return int(s.endStep - s.firstStep);
}

int StepTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

Qt::ItemFlags StepTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.internalId() != kTop)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

QVariant StepTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole))
        return {};
    if (index.internalId() == kTop)
        return QString::fromStdString(verification::stageTitle(trace_, std::size_t(index.row())));
    return sentence(std::size_t(stepOf(index)));
}

std::ptrdiff_t StepTreeModel::stepOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == kTop)
        return -1;
    return std::ptrdiff_t(trace_.stages[index.internalId() - 1].firstStep) + index.row();
}

std::size_t StepTreeModel::stageOf(const QModelIndex& index) const
{
    return index.internalId() == kTop ? std::size_t(index.row())
                                      : std::size_t(index.internalId() - 1);
}

QModelIndex StepTreeModel::indexOfStep(std::size_t step) const
{
    if (step >= trace_.steps.size())
        return {};
    const std::size_t stage = std::size_t(trace_.steps[step].stage);
    return createIndex(int(step - trace_.stages[stage].firstStep), 0, quintptr(stage) + 1);
}

QModelIndex StepTreeModel::indexOfStage(std::size_t stage) const
{
    return stage < trace_.stages.size() ? createIndex(int(stage), 0, kTop) : QModelIndex();
}

std::size_t StepTreeModel::stepCount() const
{
    return trace_.steps.size();
}

QString StepTreeModel::sentence(std::size_t step) const
{
    QString& s = sentences_[step];
    if (s.isNull())
        s = QString::fromStdString(verification::stepSentence(trace_, step, separator_));
    return s;
}
