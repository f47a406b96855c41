#pragma once

#include "operations/CoverageList.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

// The rows of the view of screens for a table view: the rows shown are all
// of them, or with the filter on only those that need attention, in the
// order of the column the user sorted by (the install's order until then).
// The texts are made when a cell is drawn, so a list of thousands costs
// nothing more than its rows.
class CoverageModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CoverageModel(QObject* parent = nullptr);

    void SetListing(CoverageListing listing);
    void SetTexts(const Texts& texts);
    void SetFilter(bool onlyNeedingAttention);
    // Proposals and verdicts found off the window's thread, for the rows of
    // the current listing.
    void ApplyFindings(const CoverageFindings& findings);

    const CoverageListing& Listing() const { return listing_; }
    const std::vector<CoverageRow>& Rows() const { return listing_.rows; }
    // The rows shown, as indices into Rows(), in their order.
    const std::vector<size_t>& Shown() const { return shown_; }
    // The row shown at `index`, or null.
    const CoverageRow* RowAt(int index) const;
    // Where the row of `layout` is shown, or -1.
    int IndexOf(const std::string& layout) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column -1 is the install's order.
    void sort(int column, Qt::SortOrder order) override;

  private:
    void Refilter();
    void Reorder(const std::function<void()>& change);

    CoverageListing listing_;
    std::vector<size_t> shown_; // indices into listing_.rows
    Texts texts_;
    bool onlyNeedingAttention_ = false;
    int sortColumn_ = -1;
    bool ascending_ = true;
};
