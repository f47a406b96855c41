#include "Form1.h"

#include "CoverageDialog.h"
#include "MenuBarKeys.h"
#include "PixelRect.h"
#include "PlatformTexts.h"
#include "services/FileUtils.h"
#include "shell/Form1Menu.h"
#include "ui_Form1.h"

#include <QCloseEvent>
#include <QLayout>
#include <QScreen>

namespace {

// The controls keep the sizes of the window's fixed layout; a narrower face
// of the font, where the platform has one, keeps the longer captions whole.
void FitCaptionsToControls(QWidget& area) {
    QFont font = area.font();
    font.setStretch(QFont::SemiCondensed);
    area.setFont(font);
}

QString Text(FixedTextId id) {
    return QString::fromStdString(FixedText(id));
}

} // namespace

// The window's icon lives in a static library, whose resources are not
// registered unless something asks for them.
static void InitFormResources() {
    Q_INIT_RESOURCE(Form1);
}

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent), Form1Logic(std::move(services.program), std::move(services.operations)),
      ui_(std::make_unique<Ui::Form1>()), messageBoxes_(std::move(services.messageBoxes)),
      folderDialog_(std::move(services.folderDialog)) {
    if (!messageBoxes_)
        messageBoxes_ = std::make_unique<QtMessageBoxes>();
    if (!folderDialog_)
        folderDialog_ = std::make_unique<QtFolderDialog>();
    InitFormResources();
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ui_->Picture1->hide();
    FitCaptionsToControls(*ui_->centralwidget);
    PlaceControls();
    PutFixedTexts();
    BuildMenu();
    new MenuBarKeys(*menuBar());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ConnectHandlers();
    CentreOnScreen();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::PlaceControls() {
    ui_->centralwidget->setFixedSize(PixelRect(kForm1Client).size());
    for (const ControlSpec& spec : Form1Controls())
        findChild<QWidget*>(spec.name)->setGeometry(PixelRect(spec.twips));
    const std::vector<Form1Control> stops = Form1TabStops();
    for (size_t i = 1; i < stops.size(); ++i)
        setTabOrder(findChild<QWidget*>(SpecOf(stops[i - 1]).name),
                    findChild<QWidget*>(SpecOf(stops[i]).name));
}

// The texts that the language leaves alone; the others come with Form_Load.
void Form1::PutFixedTexts() {
    setWindowTitle(Text(kFixedWindowTitle));
    for (const ControlSpec& spec : Form1Controls())
        if (spec.fixedCaption)
            SetCaption(spec.id, FixedText(*spec.fixedCaption));
    ui_->Mnu->setTitle(Text(kFixedMenu));
    ui_->MnuEnglish->setText(Text(kFixedEnglish));
    ui_->MnuFrench->setText(Text(kFixedFrench));
    ui_->MnuInfo->setTitle(Text(kFixedInfoMenu));
    ui_->MnuAuthor->setText(Text(kFixedAuthor));
}

void Form1::BuildMenu() {
    for (const Form1MenuEntry& entry : Form1MenuEntries()) {
        switch (entry.item) {
        case Form1MenuItem::Language:
            ui_->MnuLanguage->setTitle(Text(entry.caption));
            ui_->Mnu->addMenu(ui_->MnuLanguage);
            break;
        case Form1MenuItem::CheckScreens: {
            QAction* item = ui_->Mnu->addAction(Text(entry.caption));
            item->setObjectName("MnuCheckScreens");
            connect(item, &QAction::triggered, this, [this] { MnuCheckScreens_Click(); });
            break;
        }
        case Form1MenuItem::Undo:
            ui_->MnuUndo->setText(Text(entry.caption));
            ui_->Mnu->addAction(ui_->MnuUndo);
            break;
        case Form1MenuItem::Quit:
            ui_->MnuQuit->setText(Text(entry.caption));
            ui_->Mnu->addAction(ui_->MnuQuit);
            break;
        }
    }
}

void Form1::ConnectHandlers() {
    connect(ui_->MnuQuit, &QAction::triggered, this, &Form1::close);
    connect(ui_->MnuEnglish, &QAction::triggered, this, [this] { MnuEnglish_Click(); });
    connect(ui_->MnuFrench, &QAction::triggered, this, [this] { MnuFrench_Click(); });
    connect(ui_->MnuUndo, &QAction::triggered, this, [this] { MnuUndo_Click(); });
    connect(ui_->Text1, &FolderTextBox::GotFocus, this, &Form1::Text1_GotFocus);
    connect(ui_->Text2, &FolderTextBox::GotFocus, this, &Form1::Text2_GotFocus);
    connect(ui_->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(ui_->Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(ui_->Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(ui_->Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(ui_->Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(ui_->Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    // A grayed box, possible only from the settings, turns into a plain one
    // once the user clicks it.
    for (QCheckBox* box : {ui_->Check1, ui_->Check2}) {
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
        connect(box, &QCheckBox::stateChanged, this, [this] { FieldsChanged(); });
    }
    for (FolderTextBox* field : {ui_->Text1, ui_->Text2})
        connect(field, &QLineEdit::textChanged, this, [this] { FieldsChanged(); });
}

void Form1::CentreOnScreen() {
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::closeEvent(QCloseEvent* event) {
    event->setAccepted(Form_CloseRequested());
    // The view is a window of its own: left open, it would keep the program
    // running without its main window.
    if (event->isAccepted() && coverage_)
        coverage_->close();
}

void Form1::SetFieldText(FolderField field, const std::string& text) {
    (field == FolderField::Layouts ? ui_->Text1 : ui_->Text2)
        ->setText(QString::fromStdString(text));
}

QCheckBox& Form1::CheckBox(Form1Control box) const {
    return box == Form1Control::Check1 ? *ui_->Check1 : *ui_->Check2;
}

// Check-box states as the settings hold them: 0 unchecked, 1 checked, 2 grayed.
void Form1::SetCheckState(Form1Control box, int32_t state) {
    CheckBox(box).setCheckState(state == 1   ? Qt::Checked
                                : state == 2 ? Qt::PartiallyChecked
                                             : Qt::Unchecked);
}

void Form1::SetCaption(Form1Control control, const std::string& text) {
    QWidget* widget = findChild<QWidget*>(SpecOf(control).name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(QString::fromStdString(text));
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(QString::fromStdString(text));
}

// Called at load and at every switch: Qt's own buttons and dialogs follow
// the language the menu shows.
void Form1::SetUndoItem(bool enabled, const std::string& caption) {
    ui_->MnuUndo->setText(QString::fromStdString(caption));
    ui_->MnuUndo->setEnabled(enabled);
}

void Form1::SetLanguageChecks(bool french) {
    ui_->MnuEnglish->setChecked(!french);
    ui_->MnuFrench->setChecked(french);
    UsePlatformTexts(french ? 1 : 0);
}

std::string Form1::ShowFolderDialog(const std::string& startFolder, const std::string& title) {
    return folderDialog_->ShowFolderDialog(startFolder, this, title);
}

void Form1::Text1_GotFocus() {
    SelectAllText(*ui_->Text1);
}

void Form1::Text2_GotFocus() {
    SelectAllText(*ui_->Text2);
}

// One view, kept once made: the menu item brings it up again with a fresh
// list. It stays beside the main window, so it can be looked at while the
// options change; opening it again shows their effect.
CoverageViewPort* Form1::CoverageView() {
    return coverage_;
}

void Form1::ShowCoverage(CoverageListing listing) {
    const bool first = !coverage_;
    if (first) {
        coverage_ = new CoverageDialog(this, *messageBoxes_, *folderDialog_, HostForCoverage());
        coverage_->SetLanguage(Program().Language);
    }
    coverage_->SetListing(std::move(listing));
    if (first)
        coverage_->PlaceOnScreen();
    coverage_->show();
    coverage_->raise();
    coverage_->activateWindow();
    if (first)
        coverage_->setFocus(Qt::ActiveWindowFocusReason); // to its list
}

void Form1::BringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (coverage_ && coverage_->Showing())
        coverage_->raise();
}

void Form1::LanguageChanged() {
    if (coverage_)
        coverage_->SetLanguage(Program().Language);
}
