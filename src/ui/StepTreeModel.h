#pragma once

#include <QAbstractItemModel>
#include <QString>

#include <string>
#include <vector>

namespace solver {
struct StepTrace;
}

// The steps of a traced solve as a tree: the stages at the top, their steps under them,
// each step one sentence. Sentences are made when first asked for, so that a solve of
// 30,000 steps opens as fast as one of ten.
class StepTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    StepTreeModel(const solver::StepTrace& trace, QString decimalSeparator,
                  QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The step that a leaf shows, or -1 for a stage.
    std::ptrdiff_t stepOf(const QModelIndex& index) const;
    std::size_t stageOf(const QModelIndex& index) const;
    QModelIndex indexOfStep(std::size_t step) const;
    QModelIndex indexOfStage(std::size_t stage) const;
    std::size_t stepCount() const;
    QString sentence(std::size_t step) const;

private:
    const solver::StepTrace& trace_;
    std::string separator_;
    mutable std::vector<QString> sentences_;
};
