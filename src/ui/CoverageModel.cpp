#include "CoverageModel.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CoverageModel::CoverageModel(QObject* parent) : QAbstractTableModel(parent), texts_(TextsIn(0)) {}

void CoverageModel::SetRows(std::vector<CoverageRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    Refilter();
    endResetModel();
}

void CoverageModel::SetTexts(const Texts& texts) {
    texts_ = texts;
    emit headerDataChanged(Qt::Horizontal, 0, kCoverageColumnCount - 1);
    if (!shown_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kCoverageColumnCount - 1));
}

void CoverageModel::SetFilter(bool onlyWithoutScreen) {
    beginResetModel();
    onlyWithoutScreen_ = onlyWithoutScreen;
    Refilter();
    endResetModel();
}

void CoverageModel::Refilter() {
    shown_ = ShownRows(rows_, onlyWithoutScreen_);
}

const CoverageRow* CoverageModel::RowAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= shown_.size())
        return nullptr;
    return &rows_[shown_[static_cast<size_t>(index)]];
}

int CoverageModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int CoverageModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCoverageColumnCount;
}

QVariant CoverageModel::data(const QModelIndex& index, int role) const {
    const CoverageRow* row = RowAt(index.row());
    if (!row || role != Qt::DisplayRole)
        return {};
    return Text(CoverageCell(*row, index.column(), texts_));
}

QVariant CoverageModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kCoverageColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Text(CoverageHeading(section, texts_));
}
