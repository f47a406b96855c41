#pragma once

#include <windows.h>

// As in a dialog box: the control that had the focus when the user left a
// window gets it back when the window is active again, after a message
// box, a dialog or another window.
class FocusKeeper {
  public:
    // WM_ACTIVATE of `window`; `first` takes the focus when none was kept.
    void OnActivate(HWND window, WPARAM wParam, HWND first);
    // The next activation starts on `first` again.
    void Forget() { kept_ = nullptr; }

  private:
    HWND kept_ = nullptr;
};
