#include "MessageBoxes.h"

#include "app/ProgramInfo.h"
#include "services/WideText.h"

namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::Critical:
        return MB_ICONERROR;
    }
    return 0;
}

int RunBox(HWND owner, const std::string& text, UINT flags) {
    return MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(kProgramTitle).c_str(),
                       flags);
}

} // namespace

void ShowMessageBox(HWND owner, const std::string& text, MessageIcon icon) {
    RunBox(owner, text, MB_OK | IconFlag(icon));
}

bool AskYesNoBox(HWND owner, const std::string& text) {
    return RunBox(owner, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
