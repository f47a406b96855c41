#pragma once

#include <windows.h>

// A window of this program carries its C++ object from just after its
// creation until just before its destruction; the messages it gets outside
// that time have the default handling. `Handle` is the object's handler.
template <class Window, LRESULT (Window::*Handle)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object)
        return (object->*Handle)(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

template <class Window> void AttachObject(HWND window, Window* object) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

inline void DetachObject(HWND window) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}
