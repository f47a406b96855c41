#include "FolderDialog.h"
#include "Form1.h"
#include "MessageBoxes.h"
#include "MessageLoop.h"
#include "WindowText.h"
#include "frmUnZip.h"
#include "resource.h"
#include "services/WideText.h"

// What the operations and the window's handlers use of the window: its
// fields and boxes, message boxes, the progress area, the pointer and the
// message loop.

std::string Form1::FieldText(FolderField field) const {
    return WindowText(Field(field));
}

// Button states and the settings' check-box values are the same numbers:
// 0 unchecked, 1 checked, 2 grayed.
int32_t Form1::OverwriteState() const {
    return static_cast<int32_t>(SendMessageW(Control(Form1Control::Check1), BM_GETCHECK, 0, 0));
}

int32_t Form1::UseDefaultState() const {
    return static_cast<int32_t>(SendMessageW(Control(Form1Control::Check2), BM_GETCHECK, 0, 0));
}

void Form1::SetCheckState(Form1Control box, int32_t state) {
    SendMessageW(Control(box), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void Form1::SetFieldText(FolderField field, const std::string& text) {
    SetWindowTextUtf8(Field(field), text);
}

void Form1::SetCaption(Form1Control control, const std::string& text) {
    HWND window = Control(control);
    // The description wraps over its lines; the other captions hold one line.
    if (control != Form1Control::Label3)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFitting(window, text)), TRUE);
    SetWindowTextUtf8(window, text);
}

void Form1::SetLanguageChecks(bool french) {
    HMENU menu = GetMenu(window_);
    CheckMenuItem(menu, IDM_ENGLISH, french ? MF_UNCHECKED : MF_CHECKED);
    CheckMenuItem(menu, IDM_FRENCH, french ? MF_CHECKED : MF_UNCHECKED);
}

void Form1::SetUndoItem(bool enabled, const std::string& caption) {
    HMENU menu = GetMenu(window_);
    const std::wstring text = WideFromUtf8(caption);
    ModifyMenuW(menu, IDM_UNDO, MF_BYCOMMAND | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                IDM_UNDO, text.c_str());
}

std::string Form1::ShowFolderDialog(const std::string& startFolder, const std::string& title) {
    return RunFolderDialog(window_, startFolder, title);
}

void Form1::ShowMessage(const std::string& text, MessageIcon icon) {
    ShowMessageBox(window_, text, icon);
}

bool Form1::AskYesNo(const std::string& text) {
    return AskYesNoBox(window_, text);
}

void Form1::FocusField(FolderField field) {
    SetFocus(Field(field));
}

void Form1::SetHourglass(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Form1::SetProgressVisible(bool visible) {
    ::ShowWindow(Control(Form1Control::Picture1), visible ? SW_SHOW : SW_HIDE);
}

void Form1::DrawProgress(int32_t value, int32_t maximum, const std::string& caption) {
    DrawStandardProgress(*picture1_, value, maximum, caption);
}

void Form1::YieldToWindow() {
    ProcessPendingMessages();
}

bool Form1::UnzipWithWindow(const std::string& archive, const std::string& folder, bool hidden) {
    std::string destination = folder;
    return UnzipArchive(Program(), archive, destination, hidden, window_, font_, dpi_);
}
