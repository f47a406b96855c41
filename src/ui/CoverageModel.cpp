#include "CoverageModel.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CoverageModel::CoverageModel(QObject* parent) : QAbstractTableModel(parent), texts_(TextsIn(0)) {}

void CoverageModel::SetListing(CoverageListing listing) {
    beginResetModel();
    listing_ = std::move(listing);
    Refilter();
    endResetModel();
}

// The order of texts changes with their language.
void CoverageModel::SetTexts(const Texts& texts) {
    texts_ = texts;
    emit headerDataChanged(Qt::Horizontal, 0, kCoverageColumnCount - 1);
    sort(sortColumn_, ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (!shown_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kCoverageColumnCount - 1));
}

void CoverageModel::SetFilter(bool onlyNeedingAttention) {
    beginResetModel();
    onlyNeedingAttention_ = onlyNeedingAttention;
    Refilter();
    endResetModel();
}

void CoverageModel::ApplyFindings(const CoverageFindings& findings) {
    ::ApplyFindings(listing_.rows, findings);
    if (FindingsMoveRows(findings, onlyNeedingAttention_, sortColumn_))
        Reorder([this] { Refilter(); });
    else if (!shown_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kCoverageColumnCount - 1));
}

void CoverageModel::sort(int column, Qt::SortOrder order) {
    Reorder([&] {
        sortColumn_ = column >= 0 && column < kCoverageColumnCount ? column : -1;
        ascending_ = order == Qt::AscendingOrder;
        SortShownRows(shown_, listing_.rows, sortColumn_, ascending_, texts_);
    });
}

// The selection and the current row follow their layouts to their new places.
void CoverageModel::Reorder(const std::function<void()>& change) {
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<size_t> rowsBefore;
    for (const QModelIndex& index : before)
        rowsBefore.push_back(shown_[static_cast<size_t>(index.row())]);
    change();
    std::vector<int> placeOf(listing_.rows.size(), -1);
    for (size_t i = 0; i < shown_.size(); ++i)
        placeOf[shown_[i]] = static_cast<int>(i);
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int place = placeOf[rowsBefore[static_cast<size_t>(i)]];
        changePersistentIndex(before[i],
                              place < 0 ? QModelIndex() : index(place, before[i].column()));
    }
    emit layoutChanged();
}

void CoverageModel::Refilter() {
    shown_ = ShownRows(listing_.rows, onlyNeedingAttention_);
    SortShownRows(shown_, listing_.rows, sortColumn_, ascending_, texts_);
}

const CoverageRow* CoverageModel::RowAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= shown_.size())
        return nullptr;
    return &listing_.rows[shown_[static_cast<size_t>(index)]];
}

int CoverageModel::IndexOf(const std::string& layout) const {
    for (size_t i = 0; i < shown_.size(); ++i)
        if (listing_.rows[shown_[i]].layout == layout)
            return static_cast<int>(i);
    return -1;
}

int CoverageModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int CoverageModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCoverageColumnCount;
}

QVariant CoverageModel::data(const QModelIndex& index, int role) const {
    const CoverageRow* row = RowAt(index.row());
    // A text cut to its column's width is whole in its tip.
    if (!row || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return Text(CoverageCell(*row, index.column(), texts_));
}

QVariant CoverageModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kCoverageColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    // A first click on a heading sorts from A to Z, whatever the style prefers.
    if (role == Qt::InitialSortOrderRole)
        return Qt::AscendingOrder;
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Text(CoverageHeading(section, texts_));
}
