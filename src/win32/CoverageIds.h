#pragma once

#include <windows.h>

// Posted by the decoder's thread; lParam is a Decoded the window deletes.
inline constexpr UINT kPicturesDecoded = WM_APP + 1;
// Posted by the judge's thread when findings wait for the window.
inline constexpr UINT kFindingsWaiting = WM_APP + 2;
// The timer on which the window takes the waiting findings.
inline constexpr UINT_PTR kFindingsTimer = 1;
inline constexpr UINT kFindingsDelayMs = 30;

// The view's control ids; the panes are drawn by the window itself. The
// five decisions follow each other in the order of their buttons.
enum : int {
    kStatus = 200,
    kFilter,
    kOutOfDate,
    kRefresh,
    kList,
    kAccept,
    kAcceptRule,
    kPickScreen,
    kMarkNoScreen,
    kForgetLink,
    kScreenCaption,
    kLoadingCaption,
    kScreenPane,
    kLoadingPane,
    kSave
};
