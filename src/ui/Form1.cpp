#include "Form1.h"

#include "PlatformTexts.h"
#include "app/AppState.h"
#include "app/DialDossier.h"
#include "app/Messages.h"
#include "app/Settings.h"
#include "ui_Form1.h"

#include <QCloseEvent>
#include <QLayout>
#include <QScreen>

namespace {

QString Caption(int messageNumber) {
    return QString::fromStdString(Messages[messageNumber]);
}

// Check-box states as the settings hold them: 0 unchecked, 1 checked, 2 grayed.
void SetState(QCheckBox& box, int32_t state) {
    box.setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

// The controls keep the sizes of the window's fixed layout; a narrower face
// of the font, where the platform has one, keeps the longer captions whole.
void FitCaptionsToControls(QWidget& area) {
    QFont font = area.font();
    font.setStretch(QFont::SemiCondensed);
    area.setFont(font);
}

} // namespace

// The window's icon lives in a static library, whose resources are not
// registered unless something asks for them.
static void InitFormResources() {
    Q_INIT_RESOURCE(Form1);
}

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::Form1>()),
      messageBoxes_(std::move(services.messageBoxes)),
      folderDialog_(std::move(services.folderDialog)), operations_(std::move(services.operations)) {
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
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ConnectHandlers();
    CentreOnScreen();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::ConnectHandlers() {
    connect(ui_->MnuQuit, &QAction::triggered, this, &Form1::MnuQuit_Click);
    connect(ui_->MnuEnglish, &QAction::triggered, this, &Form1::MnuEnglish_Click);
    connect(ui_->MnuFrench, &QAction::triggered, this, &Form1::MnuFrench_Click);
    connect(ui_->Text1, &FolderTextBox::GotFocus, this, &Form1::Text1_GotFocus);
    connect(ui_->Text2, &FolderTextBox::GotFocus, this, &Form1::Text2_GotFocus);
    connect(ui_->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui_->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui_->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui_->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui_->Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(ui_->Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    // A grayed box, possible only from the settings, turns into a plain one
    // once the user clicks it.
    for (QCheckBox* box : {ui_->Check1, ui_->Check2})
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
}

void Form1::CentreOnScreen() {
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::Form_Load() {
    ui_->Text1->setText(QString::fromStdString(LayoutsPath));
    ui_->Text2->setText(QString::fromStdString(SourcePath));
    RefreshCaptions();
    SetState(*ui_->Check1, CheckBoxSetting(kKeyOverWrite));
    SetState(*ui_->Check2, CheckBoxSetting(kKeyUseDefault));
    SetLanguageChecks(Language != 0);
    UsePlatformTexts(Language);
    OfferUnzipAtStart();
}

void Form1::RefreshCaptions() {
    ui_->Label3->setText(Caption(kMsgDescription));
    ui_->Label1->setText(Caption(kMsgLayoutsFolder) + ':');
    ui_->Label2->setText(Caption(kMsgScreensFolder) + ':');
    ui_->Command4->setText(Caption(kMsgDownloadCaption));
    ui_->Command3->setText(Caption(kMsgInstallCaption));
    ui_->Command5->setText(Caption(kMsgDeleteCaption));
    ui_->Check1->setText(Caption(kMsgOverwriteCaption));
    ui_->Check2->setText(Caption(kMsgUseDefaultCaption));
}

void Form1::SetLanguageChecks(bool french) {
    ui_->MnuEnglish->setChecked(!french);
    ui_->MnuFrench->setChecked(french);
}

void Form1::closeEvent(QCloseEvent* event) {
    // A close asked for while the clean-up question runs is the same close.
    if (unloaded_ || closing_) {
        event->setAccepted(unloaded_);
        return;
    }
    if (!guard_.MayCloseNow()) {
        event->ignore();
        return;
    }
    closing_ = true;
    Form_QueryUnload();
    Form_Unload();
    unloaded_ = true;
    event->accept();
}

void Form1::Form_QueryUnload() {
    if (layoutState_.InstallDone)
        DeleteTemporaryFiles();
}

void Form1::Form_Unload() {
    ClosingValues values;
    values.layoutsText = ui_->Text1->text().toStdString();
    values.sourceText = ui_->Text2->text().toStdString();
    values.overwriteState = OverwriteState();
    values.useDefaultState = UseDefaultState();
    SaveSettingsAndLogEnd(values);
}

void Form1::MnuQuit_Click() {
    close();
}

void Form1::MnuEnglish_Click() {
    Language = 0;
    SetLanguageChecks(false);
    ApplyLanguage(0);
    UsePlatformTexts(0);
    RefreshCaptions();
}

void Form1::MnuFrench_Click() {
    Language = 1;
    SetLanguageChecks(true);
    ApplyLanguage(1);
    UsePlatformTexts(1);
    RefreshCaptions();
}

void Form1::Text1_GotFocus() {
    SelectAllText(*ui_->Text1);
}

void Form1::Text2_GotFocus() {
    SelectAllText(*ui_->Text2);
}

std::string Form1::BrowseFrom(const std::string& initialFolder, const std::string& title) {
    const auto show = [this](const std::string& startFolder, const std::string& dialogTitle) {
        return folderDialog_->ShowFolderDialog(startFolder, this, dialogTitle);
    };
    return BrowseForFolder(show, initialFolder, title, true);
}

void Form1::Command1_Click() {
    if (guard_.Busy())
        return;
    const std::string folder =
        BrowseFrom(FieldText(FolderField::Layouts), Messages[kMsgLayoutsFolder]);
    if (!folder.empty())
        ui_->Text1->setText(QString::fromStdString(folder));
}

void Form1::Command2_Click() {
    if (guard_.Busy())
        return;
    const std::string folder =
        BrowseFrom(FieldText(FolderField::Screens), Messages[kMsgScreensFolder]);
    if (!folder.empty())
        ui_->Text2->setText(QString::fromStdString(folder));
}

// The operations themselves come from operations_ (see DefaultOperations).
void Form1::Command3_Click() {
    RunOperation(operations_.install);
}

void Form1::Command4_Click() {
    RunOperation(operations_.download);
}

void Form1::Command5_Click() {
    RunOperation(operations_.deleteLoadingScreens);
}

void Form1::Command6_Click() {
    RunOperation(operations_.unzip);
}

void Form1::OfferUnzipAtStart() {
    RunOperation(operations_.offerUnzipAtStart);
}

void Form1::DeleteTemporaryFiles() {
    guard_.Run([this] {
        if (operations_.deleteTemporaryFiles)
            operations_.deleteTemporaryFiles(*this, layoutState_);
    });
}

void Form1::RunOperation(const WindowOperation& operation) {
    guard_.Run([this, &operation] {
        if (operation)
            operation(*this, layoutState_);
    });
    if (guard_.TakeDeferredClose())
        close();
}
