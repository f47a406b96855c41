#include "FocusKeeper.h"

void FocusKeeper::OnActivate(HWND window, WPARAM wParam, HWND first) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus))
            kept_ = focus;
        return;
    }
    SetFocus(kept_ && IsWindow(kept_) ? kept_ : first);
}
