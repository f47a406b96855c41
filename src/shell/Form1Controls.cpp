#include "shell/Form1Controls.h"

#include <array>

namespace {

using enum Form1Control;
using enum ControlKind;

constexpr std::nullopt_t kNoFixedCaption = std::nullopt;

constexpr std::array<ControlSpec, kForm1ControlCount> kControls{{
    {Label1, "Label1", Label, kNoFixedCaption, {120, 840, 2655, 255}, 0},
    {Text1, "Text1", TextBox, kNoFixedCaption, {120, 1080, 7575, 285}, 1},
    {Command1, "Command1", Button, kFixedBrowse, {7800, 1080, 375, 255}, 2},
    {Label2, "Label2", Label, kNoFixedCaption, {120, 1560, 2775, 255}, 3},
    {Text2, "Text2", TextBox, kNoFixedCaption, {120, 1800, 7575, 285}, 4},
    {Command2, "Command2", Button, kFixedBrowse, {7800, 1800, 375, 255}, 5},
    {Command4, "Command4", Button, kNoFixedCaption, {120, 2160, 3735, 375}, 6},
    {Command5, "Command5", Button, kNoFixedCaption, {120, 3120, 3735, 375}, 7},
    {Command3, "Command3", Button, kNoFixedCaption, {120, 2640, 3735, 375}, 8},
    {Check1, "Check1", CheckBox, kNoFixedCaption, {3960, 2640, 1095, 375}, 9},
    {Check2, "Check2", CheckBox, kNoFixedCaption, {5160, 2640, 2415, 375}, 10},
    {Label3, "Label3", Label, kNoFixedCaption, {240, 120, 6495, 615}, 11},
    {Picture1, "Picture1", PictureBox, kNoFixedCaption, {3960, 3120, 4215, 375}, 12},
    {Command6, "Command6", Button, kFixedUnzipButton, {3960, 2160, 3735, 375}, 13},
}};

// SpecOf reads the table by the control's number, so each row sits at its
// control's place.
constexpr bool RowsAtTheirControls() {
    for (size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].id != static_cast<Form1Control>(i))
            return false;
    return true;
}
static_assert(RowsAtTheirControls());

bool TakesFocus(ControlKind kind) {
    return kind == TextBox || kind == Button || kind == CheckBox;
}

} // namespace

std::span<const ControlSpec> Form1Controls() {
    return kControls;
}

const ControlSpec& SpecOf(Form1Control control) {
    return kControls[static_cast<size_t>(control)];
}

std::vector<Form1Control> Form1TabStops() {
    std::vector<Form1Control> stops;
    for (const ControlSpec& spec : kControls)
        if (TakesFocus(spec.kind))
            stops.push_back(spec.id);
    return stops;
}

int32_t TwipsToPixels(int32_t twips, int32_t dpi) {
    return static_cast<int32_t>(int64_t{twips} * dpi / 1440);
}

TwipRect ToPixels(const TwipRect& twips, int32_t dpi) {
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

int32_t ClickedCheckState(int32_t state) {
    return state == 1 ? 0 : 1;
}
