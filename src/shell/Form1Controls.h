#pragma once

#include "app/Texts.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The windows' controls as the program has always laid them out: positions
// in twips (1/1440 inch) relative to the client area. Both window shells
// place their controls from these tables.

enum class ControlKind { Label, TextBox, Button, CheckBox, PictureBox };

// In the order of their tab index, which is the order of the table.
enum class Form1Control {
    Label1,
    Text1,
    Command1,
    Label2,
    Text2,
    Command2,
    Command4,
    Command5,
    Command3,
    Check1,
    Check2,
    Label3,
    Picture1,
    Command6,
};
inline constexpr size_t kForm1ControlCount = 14;

struct TwipRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct ControlSpec {
    Form1Control id;
    const char* name;
    ControlKind kind;
    // The caption of a control whose caption does not change with the
    // language; the others get theirs from the language's texts.
    std::optional<FixedTextId> fixedCaption;
    TwipRect twips;
    int32_t tabIndex;
};

inline constexpr TwipRect kForm1Client{0, 0, 8280, 3570};

// Every control of the main window, in the order of its tab index.
std::span<const ControlSpec> Form1Controls();
const ControlSpec& SpecOf(Form1Control control);

// The controls that the Tab key visits, in order: labels and the progress
// area never take the focus.
std::vector<Form1Control> Form1TabStops();

// The unzip window: its client area, the bar Shape1 and the status line Label1.
inline constexpr TwipRect kUnzipClient{0, 0, 3330, 735};
inline constexpr TwipRect kUnzipShape1{120, 120, 3135, 135};
inline constexpr TwipRect kUnzipLabel1{120, 360, 3135, 255};

// Twips become pixels at 15 twips per pixel on a 96 DPI screen, and scale
// with the screen's DPI as twips do.
inline constexpr int32_t kStandardDpi = 96;
int32_t TwipsToPixels(int32_t twips, int32_t dpi = kStandardDpi);
TwipRect ToPixels(const TwipRect& twips, int32_t dpi = kStandardDpi);

// A check box's state after a click: a grayed box (possible only from the
// settings) becomes checked, and from then on it toggles.
int32_t ClickedCheckState(int32_t state);
