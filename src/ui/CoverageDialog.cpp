#include "CoverageDialog.h"

#include "operations/CoverageCsv.h"
#include "operations/LinkDecisions.h"
#include "services/PictureFile.h"

#include <QBuffer>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kPaneWidth = 320;
constexpr int kPaneHeight = 240;
// The rows measured for the column widths: enough to meet the long names,
// never every row of a list of thousands.
constexpr int kRowsMeasured = 300;
// Beyond the first rows, the rows with the longest texts of each column are measured.
constexpr size_t kLongestMeasured = 40;

QPushButton* NewButton(QWidget* owner, const char* name) {
    auto* button = new QPushButton(owner);
    button->setObjectName(name);
    // Enter on a row never accepts a proposal behind the user's back.
    button->setAutoDefault(false);
    return button;
}

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

// The widths that fit `room`: the narrow columns keep theirs, the wide ones
// share what is left equally, none narrower than `floor`.
std::vector<int> FittedWidths(std::vector<int> widths, int room, int floor) {
    std::vector<int> sorted = widths;
    std::sort(sorted.begin(), sorted.end());
    int left = room;
    size_t remaining = sorted.size();
    int cap = 0;
    for (const int width : sorted) {
        cap = std::max(floor, left / static_cast<int>(remaining));
        if (width > cap)
            break;
        left -= width;
        --remaining;
        cap = width;
    }
    if (remaining == 0)
        return widths;
    for (int& width : widths)
        width = std::min(width, cap);
    return widths;
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

CoverageDialog::CoverageDialog(QWidget* owner, MessageBoxes& boxes, FolderDialog& dialogs,
                               CoverageHost host)
    : QDialog(owner), texts_(TextsIn(0)), model_(this), boxes_(boxes), dialogs_(dialogs),
      host_(std::move(host)), counts_(new QLabel(this)), filter_(new QCheckBox(this)),
      outOfDate_(new QLabel(this)), refresh_(NewButton(this, "CoverageRefresh")),
      table_(new QTableView(this)), accept_(NewButton(this, "CoverageAccept")),
      acceptRule_(NewButton(this, "CoverageAcceptRule")),
      pick_(NewButton(this, "CoveragePickScreen")),
      noScreen_(NewButton(this, "CoverageNoScreenWanted")),
      forget_(NewButton(this, "CoverageForgetLink")), screenCaption_(new QLabel(this)),
      loadingCaption_(new QLabel(this)), screenPicture_(NewPane(this, "ScreenPicture")),
      loadingPicture_(NewPane(this, "LoadingPicture")), save_(NewButton(this, "CoverageSave")),
      decoder_(std::make_unique<LatestJobWorker>()) {
    setObjectName("CoverageDialog");
    counts_->setObjectName("CoverageCounts");
    // In French at 150 % the counts outgrow a line: they go on to the next one.
    counts_->setWordWrap(true);
    filter_->setObjectName("CoverageFilter");
    outOfDate_->setObjectName("CoverageOutOfDate");
    table_->setObjectName("CoverageTable");
    outOfDate_->hide();
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(true);
    header->setResizeContentsPrecision(kRowsMeasured);
    // The install's order until the user clicks a heading.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSortIndicatorShown(true);
    table_->setSortingEnabled(true);
    table_->setMinimumHeight(8 * table_->verticalHeader()->defaultSectionSize());
    BuildLayout();
    ConnectHandlers();
    // The list takes the keys as the view opens: arrows and type-to-find.
    setFocusProxy(table_);
    judge_ = std::make_unique<CoverageJudge>([this](uint64_t generation, CoverageFindings batch) {
        QMetaObject::invokeMethod(
            this, [this, generation, batch] { TakeFindings(generation, batch); },
            Qt::QueuedConnection);
    });
}

void CoverageDialog::BuildLayout() {
    auto* above = new QHBoxLayout;
    above->addWidget(filter_);
    above->addStretch();
    above->addWidget(outOfDate_);
    above->addWidget(refresh_);
    auto* decisions = new QHBoxLayout;
    for (QPushButton* button : {accept_, acceptRule_, pick_, noScreen_, forget_})
        decisions->addWidget(button);
    decisions->addStretch();
    auto* pictures = new QHBoxLayout;
    pictures->addLayout(Column(screenCaption_, screenPicture_));
    pictures->addLayout(Column(loadingCaption_, loadingPicture_));
    pictures->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts_);
    layout->addLayout(above);
    layout->addWidget(table_, 1);
    layout->addLayout(decisions);
    layout->addLayout(pictures);
    layout->addLayout(buttons);
}

void CoverageDialog::ConnectHandlers() {
    connect(filter_, &QCheckBox::toggled, this, [this](bool on) {
        const CoverageRow* row = model_.RowAt(table_->currentIndex().row());
        const std::string selected = row ? row->layout : std::string();
        model_.SetFilter(on);
        Select(model_.IndexOf(selected));
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowSelected(); });
    connect(save_, &QPushButton::clicked, this, &CoverageDialog::SaveList);
    connect(refresh_, &QPushButton::clicked, this, [this] { host_.refresh(); });
    connect(accept_, &QPushButton::clicked, this, [this] {
        Decide([](ScreenLinks& links, const CoverageRow& row) { AcceptProposal(links, row); });
    });
    connect(acceptRule_, &QPushButton::clicked, this, [this] {
        Decide([this](ScreenLinks& links, const CoverageRow& row) {
            if (row.proposal)
                AcceptRule(links, model_.Listing(), row.proposal->rule);
        });
    });
    connect(noScreen_, &QPushButton::clicked, this, [this] {
        Decide([](ScreenLinks& links, const CoverageRow& row) {
            links.MarkNoScreenWanted(row.layout);
        });
    });
    connect(forget_, &QPushButton::clicked, this, [this] {
        Decide([](ScreenLinks& links, const CoverageRow& row) { links.Unlink(row.layout); });
    });
    connect(pick_, &QPushButton::clicked, this, &CoverageDialog::PickScreen);
}

// The judge and the decoder go first: a job under way still reaches a whole dialog.
CoverageDialog::~CoverageDialog() {
    judge_.reset();
    decoder_.reset();
}

void CoverageDialog::SetListing(CoverageListing listing) {
    KeepFindings(model_.Listing(), listing);
    const std::string selected =
        LayoutToKeepSelected(model_.Rows(), model_.Shown(), table_->currentIndex().row(),
                             listing.rows, filter_->isChecked());
    const bool first = model_.Rows().empty();
    model_.SetListing(std::move(listing));
    judge_->Judge(model_.Listing());
    outOfDate_->hide();
    if (first)
        FitColumns();
    RefreshCounts();
    Select(model_.IndexOf(selected));
}

void CoverageDialog::MarkOutOfDate() {
    outOfDate_->show();
}

// The table measures only its first rows: a long name further down the
// install's order would be cut short without the longest cells measured too.
void CoverageDialog::MeasureColumns() {
    table_->resizeColumnsToContents();
    QHeaderView* header = table_->horizontalHeader();
    const QFontMetrics metrics = table_->fontMetrics();
    const std::vector<size_t> all = ShownRows(model_.Rows(), false);
    // The last column stretches to the list's edge: it is never set wider.
    for (int column = 0; column + 1 < kCoverageColumnCount; ++column) {
        int width = header->sectionSize(column);
        for (const size_t row :
             LongestCellRows(model_.Rows(), all, column, texts_, kLongestMeasured))
            width = std::max(width, metrics.horizontalAdvance(
                                        Text(CoverageCell(model_.Rows()[row], column, texts_))) +
                                        2 * metrics.averageCharWidth());
        header->resizeSection(column, width);
    }
}

// Every column wide enough for its texts; the last one takes what is left,
// so none starts beyond the window's edge.
void CoverageDialog::FitColumns() {
    MeasureColumns();
    QHeaderView* header = table_->horizontalHeader();
    // The verdicts come after the widths are measured: their column is made
    // wide enough for the longest of them from the start.
    int verdicts = header->sectionSize(kPictureColumn);
    for (const TextId id : {kCovPicturePng, kCovPictureJpeg, kCovPictureGif, kCovPictureBmp,
                            kCovPictureEmpty, kCovPictureDamaged, kCovPictureTooLarge,
                            kCovPictureUnreadable, kCovPictureMissing, kCovPictureChecking})
        verdicts = std::max(verdicts, table_->fontMetrics().horizontalAdvance(
                                          Text(WithValues(texts_[id], {"8888", "8888"}))) +
                                          2 * table_->fontMetrics().averageCharWidth());
    header->resizeSection(kPictureColumn, verdicts);
    std::vector<int> widths;
    for (int i = 0; i < header->count(); ++i)
        widths.push_back(header->sectionSize(i));
    widths = FittedWidths(widths, ListRoom(), ColumnFloor());
    lastColumnWidth_ = widths.back();
    for (int i = 0; i + 1 < header->count(); ++i)
        header->resizeSection(i, widths[static_cast<size_t>(i)]);
}

// The viewport of a hidden table has not been laid out yet: its room is
// reckoned from the table, with a vertical scroll bar, as thousands need.
int CoverageDialog::ListRoom() const {
    return table_->width() - 2 * table_->frameWidth() -
           table_->verticalScrollBar()->sizeHint().width();
}

int CoverageDialog::ColumnFloor() const {
    return table_->fontMetrics().averageCharWidth() * 10;
}

// The row at `index` (the first when none), selected and in sight, so its
// pictures show at once.
void CoverageDialog::Select(int index) {
    if (index < 0)
        index = 0;
    if (index < model_.rowCount()) {
        table_->setCurrentIndex(model_.index(index, 0)); // which shows its pictures
        table_->scrollTo(model_.index(index, 0));
    }
    ShowSelected();
}

void CoverageDialog::PlaceOnScreen() {
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // A small screen gets smaller picture panes, so the list keeps its room.
    const int paneWidth = std::clamp(std::min(area.width() / 4, area.height() / 4 * 4 / 3),
                                     kPaneWidth / 2, kPaneWidth);
    for (QLabel* pane : {screenPicture_, loadingPicture_})
        pane->setFixedSize(paneWidth, paneWidth * kPaneHeight / kPaneWidth);
    // The window system's frame is unknown until the first show: the title
    // bar and borders of the style stand for it.
    const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 4;
    const QSize frame(border, border + style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QSize room = area.size() - frame;

    MeasureColumns();
    const QHeaderView* header = table_->horizontalHeader();
    int columns = 0;
    for (int i = 0; i < header->count(); ++i)
        columns += header->sectionSize(i);
    const QSize hint = sizeHint();
    const int aroundTable = hint.width() - table_->sizeHint().width();
    const int scrollBar = table_->verticalScrollBar()->sizeHint().width();
    const QSize wanted(
        std::max(hint.width(), columns + aroundTable + scrollBar + 2 * table_->frameWidth()),
        std::max(hint.height(), area.height() * 5 / 6));
    setMinimumSize(minimumSizeHint().boundedTo(room));
    resize(wanted.boundedTo(room));
    layout()->activate();
    FitColumns();

    QRect placed(QPoint(), size() + frame);
    placed.moveCenter(owner ? owner->frameGeometry().center() : area.center());
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1));
    move(placed.topLeft());
}

void CoverageDialog::SetLanguage(int32_t language) {
    texts_ = TextsIn(language);
    model_.SetTexts(texts_);
    setWindowTitle(Text(texts_[kCovTitle]));
    filter_->setText(Text(texts_[kCovOnlyNeedAttention]));
    outOfDate_->setText(Text(texts_[kCovOutOfDate]));
    refresh_->setText(Text(texts_[kCovRefresh]));
    accept_->setText(Text(texts_[kCovAccept]));
    acceptRule_->setText(Text(texts_[kCovAcceptRule]));
    pick_->setText(Text(texts_[kCovPickScreen]));
    noScreen_->setText(Text(texts_[kCovMarkNoScreen]));
    forget_->setText(Text(texts_[kCovForgetLink]));
    save_->setText(Text(texts_[kCovSaveList]));
    screenCaption_->setText(Text(texts_[kCovScreenPane]));
    loadingCaption_->setText(Text(texts_[kCovLoadingPngPane]));
    RefreshCounts();
    ShowPanes();
}

void CoverageDialog::RefreshCounts() {
    counts_->setText(Text(StatusLineOf(model_.Listing(), texts_)));
}

// A late batch of an older listing describes rows that are no longer there.
// The selected row's pictures are decoded again only when a proposal
// changes them.
void CoverageDialog::TakeFindings(uint64_t generation, const CoverageFindings& findings) {
    if (!judge_->IsLatest(generation))
        return;
    const std::array<std::string, 2> pictures = SelectedPictures();
    model_.ApplyFindings(findings);
    WidenForProposals(findings);
    RefreshCounts();
    if (SelectedPictures() != pictures)
        ShowSelected();
    else
        EnableDecisions();
}

// The proposals come after the columns were fitted to "checking": their
// column widens for them, never narrows under the user's eyes, and leaves
// the last column room for its texts.
void CoverageDialog::WidenForProposals(const CoverageFindings& findings) {
    std::vector<size_t> proposed;
    for (const ProposedScreen& proposal : findings.proposals)
        if (proposal.row < model_.Rows().size())
            proposed.push_back(proposal.row);
    const QFontMetrics metrics = table_->fontMetrics();
    const auto widest = [&](int column) {
        int width = 0;
        for (const size_t row :
             LongestCellRows(model_.Rows(), proposed, column, texts_, kLongestMeasured))
            width = std::max(width, metrics.horizontalAdvance(
                                        Text(CoverageCell(model_.Rows()[row], column, texts_))) +
                                        2 * metrics.averageCharWidth());
        return width;
    };
    const int last = kCoverageColumnCount - 1;
    lastColumnWidth_ = std::max(lastColumnWidth_, widest(last));
    QHeaderView* header = table_->horizontalHeader();
    int others = lastColumnWidth_;
    for (int column = 0; column < last; ++column)
        others += column == kFoundByColumn ? 0 : header->sectionSize(column);
    const int width = std::min(widest(kFoundByColumn), ListRoom() - others);
    if (width > header->sectionSize(kFoundByColumn))
        header->resizeSection(kFoundByColumn, width);
}

std::array<std::string, 2> CoverageDialog::SelectedPictures() const {
    return host_.PicturesOf(model_.RowAt(table_->currentIndex().row()));
}

void CoverageDialog::EnableDecisions() {
    const CoverageRow* row = model_.RowAt(table_->currentIndex().row());
    const bool proposal = row && row->proposal.has_value();
    // Links decide only for layouts without a screen of their own name.
    const bool linkable = row && row->origin != ScreenOrigin::OwnName;
    accept_->setEnabled(proposal);
    acceptRule_->setEnabled(proposal);
    pick_->setEnabled(linkable);
    noScreen_->setEnabled(linkable && row->origin != ScreenOrigin::NotWanted);
    forget_->setEnabled(
        row && (row->origin == ScreenOrigin::Linked || row->origin == ScreenOrigin::NotWanted));
}

// The links file changes first; the new listing then shows the effect.
void CoverageDialog::Decide(const std::function<void(ScreenLinks&, const CoverageRow&)>& change) {
    const CoverageRow* selected = model_.RowAt(table_->currentIndex().row());
    if (!selected || !host_.program)
        return;
    const CoverageRow row = *selected;
    if (!ChangeScreenLinks(*host_.program, [&](ScreenLinks& links) { change(links, row); }))
        boxes_.Show(this, texts_[kCovLinksSaveFailed], MessageIcon::Exclamation);
    host_.refresh();
}

void CoverageDialog::PickScreen() {
    const CoverageRow* row = model_.RowAt(table_->currentIndex().row());
    if (!row)
        return;
    const std::string folder = host_.screensFolder();
    std::string title = texts_[kCovPickScreen];
    std::erase(title, '&'); // the button's accelerator has no place in a title
    const std::string picked = dialogs_.ShowOpenDialog(this, title, folder, texts_[kCovPickFilter]);
    if (picked.empty())
        return;
    ScreenLinks trial;
    if (LinkPickedScreen(trial, row->layout, picked, folder) != PickedScreen::Linked) {
        boxes_.Show(this, WithValues(texts_[kCovPickOutsideScreens], {folder}),
                    MessageIcon::Exclamation);
        return;
    }
    Decide([&](ScreenLinks& links, const CoverageRow& chosen) {
        LinkPickedScreen(links, chosen.layout, picked, folder);
    });
}

void CoverageDialog::ShowSelected() {
    EnableDecisions();
    const std::array<std::string, 2> paths = SelectedPictures();
    const QSize box = screenPicture_->size();
    shown_ = {};
    for (size_t i = 0; i < paths.size(); ++i)
        shown_[i].text = paths[i].empty() ? kCovNone : kCovDecoding;
    ShowPanes();
    if (paths[0].empty() && paths[1].empty()) {
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
    if (!SaveCoverageCsv(path, model_.Listing(), texts_, Machine()))
        boxes_.Show(this, texts_[kCovSaveFailed], MessageIcon::Exclamation);
}
