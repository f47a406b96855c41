#include "CoverageDialog.h"

#include "operations/CoverageCsv.h"
#include "services/PictureFile.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kPaneWidth = 320;
constexpr int kPaneHeight = 240;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* NewPane(QWidget* owner, const char* name) {
    auto* pane = new QLabel(owner);
    pane->setObjectName(name);
    pane->setFixedSize(kPaneWidth, kPaneHeight);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setWordWrap(true);
    return pane;
}

QVBoxLayout* Column(QLabel* caption, QLabel* pane) {
    auto* column = new QVBoxLayout;
    column->addWidget(caption);
    column->addWidget(pane);
    return column;
}

} // namespace

CoverageDialog::CoverageDialog(QWidget* owner, MessageBoxes& boxes, FolderDialog& dialogs)
    : QDialog(owner), texts_(CoverageTextsIn(0)), model_(this), boxes_(boxes), dialogs_(dialogs),
      counts_(new QLabel(this)), filter_(new QCheckBox(this)), table_(new QTableView(this)),
      screenCaption_(new QLabel(this)), loadingCaption_(new QLabel(this)),
      screenPicture_(NewPane(this, "ScreenPicture")),
      loadingPicture_(NewPane(this, "LoadingPicture")), save_(new QPushButton(this)) {
    setObjectName("CoverageDialog");
    counts_->setObjectName("CoverageCounts");
    filter_->setObjectName("CoverageFilter");
    table_->setObjectName("CoverageTable");
    save_->setObjectName("CoverageSave");
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumSize(2 * kPaneWidth, 240);

    auto* pictures = new QHBoxLayout;
    pictures->addLayout(Column(screenCaption_, screenPicture_));
    pictures->addLayout(Column(loadingCaption_, loadingPicture_));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts_);
    layout->addWidget(filter_);
    layout->addWidget(table_, 1);
    layout->addLayout(pictures);
    layout->addLayout(buttons);

    connect(filter_, &QCheckBox::toggled, this, [this](bool on) {
        model_.SetFilter(on);
        SelectFirstRow();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowSelected(); });
    connect(save_, &QPushButton::clicked, this, &CoverageDialog::SaveList);
}

void CoverageDialog::SetRows(std::vector<CoverageRow> rows) {
    model_.SetRows(std::move(rows));
    table_->resizeColumnsToContents();
    RefreshCounts();
    SelectFirstRow();
}

// The first row is selected, so its pictures show at once.
void CoverageDialog::SelectFirstRow() {
    if (model_.rowCount() > 0)
        table_->setCurrentIndex(model_.index(0, 0)); // which shows its pictures
    else
        ShowSelected();
}

void CoverageDialog::SetLanguage(int32_t language) {
    texts_ = CoverageTextsIn(language);
    model_.SetTexts(texts_);
    setWindowTitle(Text(texts_[kCovTitle]));
    filter_->setText(Text(texts_[kCovOnlyWithout]));
    save_->setText(Text(texts_[kCovSaveList]));
    screenCaption_->setText(Text(texts_[kCovScreenPane]));
    loadingCaption_->setText(Text(texts_[kCovLoadingPngPane]));
    RefreshCounts();
    ShowSelected();
}

void CoverageDialog::RefreshCounts() {
    counts_->setText(Text(CountsLineOf(CountCoverage(model_.Rows()), texts_)));
}

void CoverageDialog::ShowSelected() {
    const CoverageRow* row = model_.RowAt(table_->currentIndex().row());
    if (!row) {
        screenPicture_->clear();
        loadingPicture_->clear();
        return;
    }
    ShowPicture(*screenPicture_, row->screenPath, !row->screenPath.empty());
    ShowPicture(*loadingPicture_, row->loadingPngPath, row->hasLoadingPng);
}

// Checked before any decoder sees the file: a FIFO or a header announcing
// gigapixels gets the placeholder, never a wait or a huge allocation.
void CoverageDialog::ShowPicture(QLabel& pane, const std::string& path, bool exists) {
    pane.clear();
    if (!exists) {
        pane.setText(Text(texts_[kCovNone]));
        return;
    }
    PictureSize size;
    if (CheckPictureFile(path, &size) == PictureCheck::Fine) {
        QImageReader reader(Text(path));
        const PictureSize fitted = FittedSize(
            size, {static_cast<uint32_t>(pane.width()), static_cast<uint32_t>(pane.height())});
        reader.setScaledSize(
            QSize(static_cast<int>(fitted.width), static_cast<int>(fitted.height)));
        const QImage image = reader.read();
        if (!image.isNull()) {
            pane.setPixmap(QPixmap::fromImage(image));
            return;
        }
    }
    pane.setText(Text(texts_[kCovCannotShow]));
}

void CoverageDialog::SaveList() {
    const std::string path =
        dialogs_.ShowSaveDialog(this, texts_[kCovSaveList], "screens.csv", texts_[kCovCsvFilter]);
    if (path.empty())
        return;
    if (!SaveCoverageCsv(path, model_.Rows(), texts_))
        boxes_.Show(this, texts_[kCovSaveFailed], MessageIcon::Exclamation);
}
