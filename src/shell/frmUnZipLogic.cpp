#include "shell/frmUnZipLogic.h"

#include "app/Texts.h"
#include "operations/UnzipHelpers.h"
#include "zip/ZipMessages.h"

#include <exception>

namespace {

const std::string kErrorHeading = FixedText(kFixedUnzipErrorHeading) + "\r\n";

} // namespace

void frmUnZipLogic::Form_Load(int32_t designedBarWidth, std::shared_ptr<const ZlibBinding> zlib) {
    MonZip = std::make_unique<ZipExtractionClass>(std::move(zlib));
    MonZip->Progress = [this](int32_t percent, bool& cancel) { MonZip_Progress(percent, cancel); };
    MonZip->Status = [this](const std::string& text) { MonZip_Status(text); };
    MonZip->ZipError = [this](int32_t number, const std::string& description) {
        MonZip_ZipError(number, description);
    };
    MonZip->Yield = [this] { YieldNowAndThen(); };
    ArchivePath = program_.ZipArchivePath;
    Guarded([this] { return MonZip->ZipOpen(ArchivePath); }, false);
    FullBarWidth = designedBarWidth;
    waitingBar_ = 0;
    waitingStatus_ = "";
    ShowWaiting();
}

template <class T, class Call> T frmUnZipLogic::Guarded(Call call, T failed) {
    try {
        return Shown<T>(call(), failed);
    } catch (const std::exception& error) {
        ShowError(kErrorHeading + std::string(error.what()));
    }
    return failed;
}

template <class T> T frmUnZipLogic::Shown(Result<T> outcome, T failed) {
    if (outcome)
        return std::move(*outcome);
    ShowError(kErrorHeading + outcome.Error().what);
    return failed;
}

// The engine yields after every entry, far more often than a screen can
// show: repainting the label that often would cost more than the entries.
void frmUnZipLogic::YieldNowAndThen() {
    if (!eventPacing_.Due())
        return;
    ShowWaiting();
    YieldToWindow();
}

// Under Wine each new text or bar width is a call to the server: the
// window shows the engine's latest when it repaints, not every entry's.
void frmUnZipLogic::ShowWaiting() {
    if (waitingBar_)
        SetBarWidth(*waitingBar_);
    if (waitingStatus_)
        SetStatusText(*waitingStatus_);
    waitingBar_.reset();
    waitingStatus_.reset();
}

bool frmUnZipLogic::ExtractAllShown(bool hidden) {
    if (!hidden) {
        ShowWindow();
        YieldToWindow();
    }
    const bool extracted = zLib_ExtraireTout();
    ShowWaiting();
    return extracted;
}

bool frmUnZipLogic::zLib_ExtraireTout() {
    return Guarded(
        [this] {
            // An archive that does not open leaves its ZipError event and
            // the extraction its own: both are shown, as they always were.
            if (!MonZip->ZipIsOpen())
                if (Result<bool> opened = MonZip->ZipOpen(ArchivePath); !opened)
                    return opened;
            return MonZip->ExtractAllFiles(program_.ExtractFolder, true, false);
        },
        false);
}

bool frmUnZipLogic::zLib_ExtraireUnFichier() {
    return Guarded([this] { return ExtractNamedEntry(*MonZip, program_); }, false);
}

int32_t frmUnZipLogic::zLib_ExtraireExtension() {
    return Guarded([this] { return ExtractEntriesEndingWith(*MonZip, program_); }, int32_t{-1});
}

std::string frmUnZipLogic::zLib_LireCommentaire() {
    return MonZip->ZipComment();
}

std::string frmUnZipLogic::zLib_LireContenu() {
    return Guarded([this] { return ArchiveListing(*MonZip); }, std::string());
}

void frmUnZipLogic::MonZip_Progress(int32_t Percent, bool& /*Cancel*/) {
    waitingBar_ = static_cast<int32_t>(static_cast<double>(Percent * FullBarWidth) / 100.0);
}

// The texts that open and close the extraction show at once; the entries'
// names in between at the next yield.
void frmUnZipLogic::MonZip_Status(const std::string& Text) {
    waitingStatus_ = Text;
    if (Text == kStatusExtractionStart)
        waitingBar_ = 0;
    else if (Text == kStatusExtractionEnd)
        waitingBar_ = FullBarWidth;
    if (Text == kStatusExtractionStart || Text == kStatusExtractionEnd)
        ShowWaiting();
}

void frmUnZipLogic::MonZip_ZipError(int32_t Number, const std::string& Description) {
    if (Number == kZipErrorExists)
        return;
    ShowError(kErrorHeading + std::string("Erreur ") + std::to_string(Number) + " - " +
              Description);
}
