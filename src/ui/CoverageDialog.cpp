#include "CoverageDialog.h"

#include "operations/CoverageCsv.h"
#include "services/PictureFile.h"

#include <QBuffer>
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

// On the decoder's thread. Checked before any decoder sees the file: a FIFO
// or a header announcing gigapixels gets the text, never a wait or a huge
// allocation; the decoder reads the very bytes that were checked.
CoverageDialog::PaneContent CoverageDialog::DecodedPicture(const std::string& path, QSize box) {
    PaneContent content;
    if (path.empty())
        return content;
    content.text = kCovCannotShow;
    PictureSize size;
    std::string bytes;
    if (ReadCheckedPicture(path, bytes, &size) != PictureCheck::Fine)
        return content;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const PictureSize fitted =
        FittedSize(size, {static_cast<uint32_t>(box.width()), static_cast<uint32_t>(box.height())});
    reader.setScaledSize(QSize(static_cast<int>(fitted.width), static_cast<int>(fitted.height)));
    content.picture = reader.read();
    return content;
}

CoverageDialog::CoverageDialog(QWidget* owner, MessageBoxes& boxes, FolderDialog& dialogs)
    : QDialog(owner), texts_(TextsIn(0)), model_(this), boxes_(boxes), dialogs_(dialogs),
      counts_(new QLabel(this)), filter_(new QCheckBox(this)), table_(new QTableView(this)),
      screenCaption_(new QLabel(this)), loadingCaption_(new QLabel(this)),
      screenPicture_(NewPane(this, "ScreenPicture")),
      loadingPicture_(NewPane(this, "LoadingPicture")), save_(new QPushButton(this)),
      decoder_(std::make_unique<LatestJobWorker>()) {
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

// The decoder goes first: a job under way still reaches a whole dialog.
CoverageDialog::~CoverageDialog() {
    decoder_.reset();
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
    texts_ = TextsIn(language);
    model_.SetTexts(texts_);
    setWindowTitle(Text(texts_[kCovTitle]));
    filter_->setText(Text(texts_[kCovOnlyWithout]));
    save_->setText(Text(texts_[kCovSaveList]));
    screenCaption_->setText(Text(texts_[kCovScreenPane]));
    loadingCaption_->setText(Text(texts_[kCovLoadingPngPane]));
    RefreshCounts();
    ShowPanes();
}

void CoverageDialog::RefreshCounts() {
    counts_->setText(Text(CountsLineOf(CountCoverage(model_.Rows()), texts_)));
}

void CoverageDialog::ShowSelected() {
    const CoverageRow* row = model_.RowAt(table_->currentIndex().row());
    const std::array<std::string, 2> paths{row ? row->screenPath : "",
                                           row && row->hasLoadingPng ? row->loadingPngPath : ""};
    const QSize box = screenPicture_->size();
    shown_ = {};
    for (size_t i = 0; i < paths.size(); ++i)
        shown_[i].text = paths[i].empty() ? kCovNone : kCovDecoding;
    ShowPanes();
    if (!row || (paths[0].empty() && paths[1].empty())) {
        decoder_->Forget();
        return;
    }
    decoder_->Post([this, paths, box](uint64_t ticket) {
        RowPictures pictures;
        for (size_t i = 0; i < paths.size(); ++i)
            pictures[i] = DecodedPicture(paths[i], box);
        QMetaObject::invokeMethod(
            this, [this, ticket, pictures] { ShowPictures(ticket, pictures); },
            Qt::QueuedConnection);
    });
}

void CoverageDialog::ShowPictures(uint64_t ticket, const RowPictures& pictures) {
    if (!decoder_->IsLatest(ticket))
        return;
    shown_ = pictures;
    ShowPanes();
}

void CoverageDialog::ShowPanes() {
    QLabel* panes[] = {screenPicture_, loadingPicture_};
    for (size_t i = 0; i < shown_.size(); ++i) {
        panes[i]->clear();
        if (shown_[i].picture.isNull())
            panes[i]->setText(Text(texts_[shown_[i].text]));
        else
            panes[i]->setPixmap(QPixmap::fromImage(shown_[i].picture));
    }
}

void CoverageDialog::SaveList() {
    const std::string path =
        dialogs_.ShowSaveDialog(this, texts_[kCovSaveList], "screens.csv", texts_[kCovCsvFilter]);
    if (path.empty())
        return;
    if (!SaveCoverageCsv(path, model_.Rows(), texts_))
        boxes_.Show(this, texts_[kCovSaveFailed], MessageIcon::Exclamation);
}
