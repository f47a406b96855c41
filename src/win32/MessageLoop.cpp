#include "MessageLoop.h"

namespace {

HWND keyboardWindow = nullptr;
HACCEL keyboardAccelerators = nullptr;

void Dispatch(MSG& message) {
    if (keyboardWindow && IsWindow(keyboardWindow)) {
        if (keyboardAccelerators &&
            TranslateAcceleratorW(keyboardWindow, keyboardAccelerators, &message))
            return;
        if (IsDialogMessageW(keyboardWindow, &message))
            return;
    }
    // The program's other windows that stay open beside it (the view of
    // screens) take the dialog keys too.
    HWND active = GetActiveWindow();
    if (active && active != keyboardWindow && GetWindow(active, GW_OWNER) == keyboardWindow &&
        IsDialogMessageW(active, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

void SetKeyboardWindow(HWND window, HACCEL accelerators) {
    keyboardWindow = window;
    keyboardAccelerators = accelerators;
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
    return static_cast<int>(message.wParam);
}

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The end of the program belongs to the main loop, not to a step.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}
