#pragma once

#include <cstdint>
#include <string>

class ProgressBox;

// The look every operation draws its progress in: percentage shown, caption
// centred, black on white, solid fill, NOT-XOR pen (the bar inverts what lies
// under it, so the caption stays readable over both parts).
inline constexpr bool kStandardShowPercent = true;
inline constexpr int32_t kStandardAlignment = 1;
inline constexpr uint32_t kStandardForeColor = 0x000000;
inline constexpr uint32_t kStandardBackColor = 0xFFFFFF;
inline constexpr int32_t kStandardFillStyle = 0;
inline constexpr int32_t kStandardDrawMode = 10;

// Draws a bar for `value` of `maximum` with `caption` into `box`, then lets
// the window process pending events once. With `showPercent`, `caption`
// receives the percentage (" 40%"). A value above the maximum draws nothing.
// `maximum` is at least 1.
void DrawProgressBar(ProgressBox& box, int32_t value, int32_t maximum, std::string& caption,
                     bool showPercent, int32_t alignment, uint32_t foreColor, uint32_t backColor,
                     int32_t fillStyle, int32_t drawMode);
