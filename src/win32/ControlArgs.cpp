#include "ControlArgs.h"

#include "ProgressBox.h"
#include "services/WideText.h"

HWND CreateControl(const ControlArgs& args) {
    HWND control = CreateWindowExW(
        args.exStyle, args.className, WideFromUtf8(args.text).c_str(),
        WS_CHILD | WS_VISIBLE | args.style, args.pixels.left, args.pixels.top, args.pixels.width,
        args.pixels.height, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
        GetModuleHandleW(nullptr), nullptr);
    if (control && args.font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    return control;
}

const wchar_t* ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox:
        return L"EDIT";
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return L"BUTTON";
    case ControlKind::PictureBox:
        return kPictureBoxClass;
    case ControlKind::Label:
        break;
    }
    return L"STATIC";
}

DWORD StyleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox:
        return WS_TABSTOP | ES_AUTOHSCROLL;
    case ControlKind::Button:
        return WS_TABSTOP | BS_PUSHBUTTON;
    // Three states, one of them grayed: set only from the settings, so the
    // window handles the clicks itself.
    case ControlKind::CheckBox:
        return WS_TABSTOP | BS_3STATE;
    case ControlKind::PictureBox:
        return 0;
    // Clipped by the controls it touches: a label's box overlaps the top
    // border of the field below it.
    case ControlKind::Label:
        break;
    }
    return SS_LEFT | WS_CLIPSIBLINGS;
}

DWORD ExStyleOf(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::PictureBox ? WS_EX_CLIENTEDGE : 0;
}

void RegisterProgramClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, HICON icon) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    ::RegisterClassW(&windowClass);
}
