#include "frmUnZip.h"

#include "MessageBoxes.h"
#include "PixelRect.h"
#include "app/Texts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>

frmUnZip::frmUnZip(ProgramState& program, MessageBoxes& boxes, QWidget* parent,
                   std::shared_ptr<const ZlibBinding> zlib)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      frmUnZipLogic(program), boxes_(boxes) {
    BuildControls();
    Form_Load(Shape1->width(), std::move(zlib));
}

frmUnZip::~frmUnZip() {
    Form_Unload();
}

void frmUnZip::BuildControls() {
    setObjectName("frmUnZip");
    setWindowTitle(QString::fromStdString(FixedText(kFixedUnzipTitle)));
    setFixedSize(PixelRect(kUnzipClient).size());
    setModal(false);
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(PixelRect(kUnzipShape1));
    Shape1->setAutoFillBackground(true);
    QPalette bar = Shape1->palette();
    bar.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    Shape1->setPalette(bar);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(PixelRect(kUnzipLabel1));
}

void frmUnZip::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void frmUnZip::SetBarWidth(int32_t width) {
    Shape1->resize(width, Shape1->height());
    Shape1->setVisible(width > 0);
}

void frmUnZip::SetStatusText(const std::string& text) {
    Label1->setText(QString::fromStdString(text));
}

void frmUnZip::ShowError(const std::string& text) {
    boxes_.Show(this, text, MessageIcon::Critical);
}

void frmUnZip::YieldToWindow() {
    QCoreApplication::processEvents();
}
