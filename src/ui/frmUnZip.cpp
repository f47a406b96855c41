#include "frmUnZip.h"

#include "MessageBoxes.h"
#include "operations/UnzipHelpers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <exception>

namespace {

// Geometry of the window in pixels (twips / 15).
constexpr int kClientWidth = 222;
constexpr int kClientHeight = 49;
const QRect kShapeRect(8, 8, 209, 9);
const QRect kLabelRect(8, 24, 209, 17);

const char* const kStartText = "D\u00e9but d'extraction";
const char* const kEndText = "Extraction termin\u00e9e";
constexpr int32_t kTargetExists = 11;
constexpr qint64 kYieldIntervalMs = 40;

} // namespace

frmUnZip::frmUnZip(MessageBoxes& boxes, QWidget* parent, std::shared_ptr<const ZlibBinding> zlib)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      boxes_(boxes) {
    BuildControls();
    Form_Load(std::move(zlib));
}

frmUnZip::~frmUnZip() {
    Form_Unload();
}

void frmUnZip::BuildControls() {
    setObjectName("frmUnZip");
    setWindowTitle("Unzip with zLib");
    setFixedSize(kClientWidth, kClientHeight);
    setModal(false);
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(kShapeRect);
    Shape1->setAutoFillBackground(true);
    QPalette bar = Shape1->palette();
    bar.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    Shape1->setPalette(bar);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(kLabelRect);
}

void frmUnZip::Form_Load(std::shared_ptr<const ZlibBinding> zlib) {
    MonZip = std::make_unique<ZipExtractionClass>(std::move(zlib));
    MonZip->Progress = [this](int32_t percent, bool& cancel) { MonZip_Progress(percent, cancel); };
    MonZip->Status = [this](const std::string& text) { MonZip_Status(text); };
    MonZip->ZipError = [this](int32_t number, const std::string& description) {
        MonZip_ZipError(number, description);
    };
    MonZip->Yield = [this] { YieldToWindows(); };
    ArchivePath = ZipArchivePath;
    Guarded([this] { return MonZip->ZipOpen(ArchivePath); }, false);
    FullBarWidth = Shape1->width();
    SetBarWidth(0);
    Label1->setText(QString());
}

// The engine yields after every entry, far more often than a screen can
// show: repainting the label that often would cost more than the entries.
void frmUnZip::YieldToWindows() {
    if (sinceYield_.isValid() && sinceYield_.elapsed() < kYieldIntervalMs)
        return;
    QCoreApplication::processEvents();
    sinceYield_.start();
}

void frmUnZip::Form_Unload() {
    MonZip.reset();
}

void frmUnZip::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void frmUnZip::SetBarWidth(int32_t width) {
    Shape1->resize(width, Shape1->height());
    Shape1->setVisible(width > 0);
}

template <class Result, class Call> Result frmUnZip::Guarded(Call call, Result failed) {
    try {
        return call();
    } catch (const std::exception& error) {
        boxes_.Show(this, std::string("Erreur lors de l'extraction du Zip\r\n") + error.what(),
                    MessageIcon::Critical);
    }
    return failed;
}

bool frmUnZip::zLib_ExtraireTout() {
    return Guarded(
        [this] {
            if (!MonZip->ZipIsOpen())
                MonZip->ZipOpen(ArchivePath);
            return MonZip->ExtractAllFiles(ExtractFolder, true, false);
        },
        false);
}

bool frmUnZip::zLib_ExtraireUnFichier() {
    return Guarded([this] { return ExtractNamedEntry(*MonZip); }, false);
}

int32_t frmUnZip::zLib_ExtraireExtension() {
    return Guarded([this] { return ExtractEntriesEndingWith(*MonZip); }, int32_t{-1});
}

std::string frmUnZip::zLib_LireCommentaire() {
    return MonZip->ZipComment();
}

std::string frmUnZip::zLib_LireContenu() {
    return Guarded([this] { return ArchiveListing(*MonZip); }, std::string());
}

void frmUnZip::MonZip_Progress(int32_t Percent, bool& /*Cancel*/) {
    SetBarWidth(static_cast<int32_t>(static_cast<double>(Percent * FullBarWidth) / 100.0));
}

void frmUnZip::MonZip_Status(const std::string& Text) {
    Label1->setText(QString::fromStdString(Text));
    if (Text == kStartText)
        SetBarWidth(0);
    else if (Text == kEndText)
        SetBarWidth(FullBarWidth);
}

void frmUnZip::MonZip_ZipError(int32_t Number, const std::string& Description) {
    if (Number == kTargetExists)
        return;
    boxes_.Show(this,
                "Erreur lors de l'extraction du Zip\r\nErreur " + std::to_string(Number) + " - " +
                    Description,
                MessageIcon::Critical);
}
