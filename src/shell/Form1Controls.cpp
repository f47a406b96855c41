#include "shell/Form1Controls.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

using enum Form1Control;
using enum ControlKind;

constexpr std::array<ControlSpec, 14> kControls{{
    {Label1, "Label1", Label, "Folder of your layouts:", {120, 840, 2655, 255}, 0},
    {Text1, "Text1", TextBox, "Text1", {120, 1080, 7575, 285}, 1},
    {Command1, "Command1", Button, "...", {7800, 1080, 375, 255}, 2},
    {Label2, "Label2", Label, "Folder of your loading screens:", {120, 1560, 2775, 255}, 3},
    {Text2, "Text2", TextBox, "Text2", {120, 1800, 7575, 285}, 4},
    {Command2, "Command2", Button, "...", {7800, 1800, 375, 255}, 5},
    {Command4, "Command4", Button, "&Download screens", {120, 2160, 3735, 375}, 6},
    {Command5,
     "Command5",
     Button,
     "D&elete all the loading screens in your layouts",
     {120, 3120, 3735, 375},
     7},
    {Command3, "Command3", Button, "Install loading screens", {120, 2640, 3735, 375}, 8},
    {Check1, "Check1", CheckBox, "Overwrite", {3960, 2640, 1095, 375}, 9},
    {Check2, "Check2", CheckBox, "Use default screen", {5160, 2640, 2415, 375}, 10},
    {Label3, "Label3", Label, "Label3", {240, 120, 6495, 615}, 11},
    {Picture1, "Picture1", PictureBox, "", {3960, 3120, 4215, 375}, 12},
    {Command6, "Command6", Button, "&Unzip screens", {3960, 2160, 3735, 375}, 13},
}};

bool TakesFocus(ControlKind kind) {
    return kind == TextBox || kind == Button || kind == CheckBox;
}

} // namespace

std::span<const ControlSpec> Form1Controls() {
    return kControls;
}

const ControlSpec& SpecOf(Form1Control control) {
    const auto found =
        std::find_if(kControls.begin(), kControls.end(),
                     [control](const ControlSpec& spec) { return spec.id == control; });
    if (found == kControls.end())
        throw std::out_of_range("unknown control");
    return *found;
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
