#pragma once

#include "operations/CoverageList.h"

#include <QAbstractTableModel>
#include <vector>

// The rows of the view of screens for a table view: the rows shown are all
// of them, or with the filter on only those that end without a screen. The
// texts are made when a cell is drawn, so a list of thousands costs nothing
// more than its rows.
class CoverageModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CoverageModel(QObject* parent = nullptr);

    void SetRows(std::vector<CoverageRow> rows);
    void SetTexts(const Texts& texts);
    void SetFilter(bool onlyWithoutScreen);

    const std::vector<CoverageRow>& Rows() const { return rows_; }
    // The row shown at `index`, or null.
    const CoverageRow* RowAt(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    void Refilter();

    std::vector<CoverageRow> rows_;
    std::vector<size_t> shown_; // indices into rows_
    Texts texts_;
    bool onlyWithoutScreen_ = false;
};
