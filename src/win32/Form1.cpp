#include "Form1.h"

#include "ControlArgs.h"
#include "Dpi.h"
#include "MessageLoop.h"
#include "WindowProcedure.h"
#include "WindowText.h"
#include "app/Texts.h"
#include "resource.h"
#include "services/FileUtils.h"
#include "services/ProgramTitle.h"
#include "services/WideText.h"
#include "shell/Form1Menu.h"

namespace {

constexpr const wchar_t* kForm1Class = kMainWindowClass;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// The controls' parent takes part in the dialog keys (Tab, Alt+letter).
constexpr DWORD kFrameExStyle = WS_EX_CONTROLPARENT;
constexpr int kFirstControlId = 100;

// The outer rectangle of a window whose client area (below the menu) is
// `width` x `height` at `dpi`, centred in the work area of the screen.
RECT CentredFrame(int width, int height, int dpi) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return CentredOn(work, FrameSize(width, height, kFrameStyle, kFrameExStyle, true, dpi));
}

// Where the system substitutes a wider face, captions that would be cut
// are written narrower instead.
constexpr int kNarrowPercent = 85;
constexpr int kCaptionMargin = 8;

std::wstring WideFixedText(FixedTextId id) {
    return WideFromUtf8(FixedText(id));
}

int IdOf(Form1Control control) {
    return kFirstControlId + static_cast<int>(control);
}

} // namespace

void Form1::RegisterWindowClass() {
    RegisterProgramClass(kForm1Class, WindowProcedure<Form1, &Form1::HandleMessage>,
                         GetSysColorBrush(COLOR_BTNFACE),
                         LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANE)));
}

Form1::Form1(ProgramState program, Form1Operations operations)
    : Form1Logic(std::move(program), std::move(operations)) {
    POINT origin{0, 0};
    dpi_ = DpiAt(origin);
    font_ = DialogFont(dpi_);
    narrowFont_ = DialogFont(dpi_, kNarrowPercent);
    keys_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_FORM1_KEYS));
    CreateFrame();
    BuildMenu();
    CreateControls();
    SetKeyboardWindow(window_, keys_);
}

Form1::~Form1() {
    SetKeyboardWindow(nullptr, nullptr);
    coverage_.reset();
    picture1_.reset();
    if (IsWindow(window_)) {
        DetachObject(window_);
        DestroyWindow(window_);
    }
    DeleteObject(font_);
    DeleteObject(narrowFont_);
}

void Form1::CreateFrame() {
    const TwipRect client = ToPixels(kForm1Client, dpi_);
    const RECT frame = CentredFrame(client.width, client.height, dpi_);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    window_ = CreateWindowExW(kFrameExStyle, kForm1Class,
                              WideFromUtf8(FixedText(kFixedWindowTitle)).c_str(), kFrameStyle,
                              frame.left, frame.top, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, CreateMenu(), instance, nullptr);
    AttachObject(window_, this);
}

// The items of "Menu" come from the program's list, in its order.
void Form1::BuildMenu() {
    HMENU bar = GetMenu(window_);
    HMENU popup = CreatePopupMenu();
    HMENU language = CreatePopupMenu();
    AppendMenuW(language, MF_STRING, IDM_ENGLISH, WideFixedText(kFixedEnglish).c_str());
    AppendMenuW(language, MF_STRING, IDM_FRENCH, WideFixedText(kFixedFrench).c_str());
    HMENU info = CreatePopupMenu();
    AppendMenuW(info, MF_STRING, IDM_AUTHOR, WideFixedText(kFixedAuthor).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                WideFixedText(kFixedMenu).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(info),
                WideFixedText(kFixedInfoMenu).c_str());
    for (const Form1MenuEntry& entry : Form1MenuEntries()) {
        const std::wstring caption = WideFixedText(entry.caption);
        switch (entry.item) {
        case Form1MenuItem::Language:
            AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(language), caption.c_str());
            break;
        case Form1MenuItem::CheckScreens:
            AppendMenuW(popup, MF_STRING, IDM_CHECK_SCREENS, caption.c_str());
            break;
        case Form1MenuItem::Undo:
            AppendMenuW(popup, MF_STRING | MF_GRAYED, IDM_UNDO, caption.c_str());
            break;
        case Form1MenuItem::Quit:
            AppendMenuW(popup, MF_STRING, IDM_QUIT, (caption + L"\tCtrl+Q").c_str());
            break;
        }
    }
    DrawMenuBar(window_);
}

// Created in tab order: the dialog keys walk the controls in creation order.
void Form1::CreateControls() {
    for (const ControlSpec& spec : Form1Controls()) {
        ControlArgs args;
        args.parent = window_;
        args.className = ClassOf(spec.kind);
        args.style = StyleOf(spec.kind);
        args.exStyle = ExStyleOf(spec.kind);
        args.pixels = ToPixels(spec.twips, dpi_);
        args.id = IdOf(spec.id);
        args.font = font_;
        if (spec.fixedCaption)
            args.text = FixedText(*spec.fixedCaption);
        controls_[static_cast<size_t>(spec.id)] = CreateControl(args);
    }
    // A label lies under the other controls, as a windowless one would.
    for (const ControlSpec& spec : Form1Controls())
        if (spec.kind == ControlKind::Label)
            SetWindowPos(Control(spec.id), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND picture = Control(Form1Control::Picture1);
    picture1_ = std::make_unique<ProgressBox>(picture, font_);
    ::ShowWindow(picture, SW_HIDE);
}

// On another monitor's dpi the window keeps its size in points: the
// controls are placed from the table again, in fonts made for that dpi.
void Form1::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    const HFONT oldFont = font_;
    const HFONT oldNarrowFont = narrowFont_;
    font_ = DialogFont(dpi_);
    narrowFont_ = DialogFont(dpi_, kNarrowPercent);
    const TwipRect client = ToPixels(kForm1Client, dpi_);
    const SIZE frame =
        FrameSize(client.width, client.height, kFrameStyle, kFrameExStyle, true, dpi_);
    const RECT place = InsideWorkArea(
        {suggested.left, suggested.top, suggested.left + frame.cx, suggested.top + frame.cy});
    SetWindowPos(window_, nullptr, place.left, place.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (const ControlSpec& spec : Form1Controls()) {
        HWND control = Control(spec.id);
        const TwipRect pixels = ToPixels(spec.twips, dpi_);
        MoveWindow(control, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
        const bool wraps = spec.id == Form1Control::Label3;
        SendMessageW(
            control, WM_SETFONT,
            reinterpret_cast<WPARAM>(wraps ? font_ : FontFitting(control, WindowText(control))),
            TRUE);
    }
    // The progress area draws in a memory bitmap of its size, in its font.
    picture1_.reset();
    picture1_ = std::make_unique<ProgressBox>(Control(Form1Control::Picture1), font_);
    DeleteObject(oldFont);
    DeleteObject(oldNarrowFont);
}

void Form1::Show() {
    ::ShowWindow(window_, SW_SHOW);
    SetFocus(Control(Form1Control::Text1));
    Form_Load();
}

HWND Form1::Control(Form1Control control) const {
    return controls_[static_cast<size_t>(control)];
}

HWND Form1::Field(FolderField field) const {
    return Control(field == FolderField::Layouts ? Form1Control::Text1 : Form1Control::Text2);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The process may end as soon as this returns, with no close.
        if (wParam)
            Form_SessionEnding();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        focus_.OnActivate(window_, wParam, Control(Form1Control::Text1));
        return 0;
    case WM_SETCURSOR:
        if (!busy_)
            break;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Form1::OnCommand(int id, int code) {
    switch (id) {
    case IDM_ENGLISH:
        MnuEnglish_Click();
        return;
    case IDM_FRENCH:
        MnuFrench_Click();
        return;
    case IDM_UNDO:
        MnuUndo_Click();
        return;
    case IDM_QUIT:
        CloseWindow();
        return;
    case IDM_CHECK_SCREENS:
        MnuCheckScreens_Click();
        return;
    }
    const int index = id - kFirstControlId;
    if (index >= 0 && index < static_cast<int>(controls_.size()))
        OnControl(static_cast<Form1Control>(index), code);
}

void Form1::OnControl(Form1Control control, int code) {
    using enum Form1Control;
    if (code == EN_SETFOCUS) {
        // After the edit's own handling of the click or key that focused it.
        PostMessageW(Control(control), EM_SETSEL, 0, -1);
        return;
    }
    if (code == EN_CHANGE)
        return FieldsChanged();
    if (code != BN_CLICKED)
        return;
    switch (control) {
    case Command1:
        return Command1_Click();
    case Command2:
        return Command2_Click();
    case Command3:
        return Command3_Click();
    case Command4:
        return Command4_Click();
    case Command5:
        return Command5_Click();
    case Command6:
        return Command6_Click();
    case Check1:
    case Check2:
        SetCheckState(control,
                      ClickedCheckState(control == Check1 ? OverwriteState() : UseDefaultState()));
        return FieldsChanged();
    default:
        return;
    }
}

void Form1::OnClose() {
    if (Form_CloseRequested())
        DestroyWindow(window_);
}

void Form1::CloseWindow() {
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

HFONT Form1::FontFitting(HWND control, const std::string& text) const {
    RECT box;
    GetClientRect(control, &box);
    return TextWidthIn(control, font_, text) + kCaptionMargin > box.right ? narrowFont_ : font_;
}

// One view, kept once made: the menu item brings it up again with a fresh
// list. It stays beside the main window, so it can be looked at while the
// options change; opening it again shows their effect.
CoverageViewPort* Form1::CoverageView() {
    return coverage_.get();
}

void Form1::ShowCoverage(CoverageListing listing) {
    if (!coverage_) {
        coverage_ = std::make_unique<CoverageWindow>(window_, HostForCoverage());
        coverage_->SetLanguage(Program().Language);
    }
    coverage_->SetListing(std::move(listing));
    coverage_->Show();
}

void Form1::LanguageChanged() {
    if (coverage_)
        coverage_->SetLanguage(Program().Language);
}
