#pragma once

#include "CoverageWindow.h"
#include "FocusKeeper.h"
#include "ProgressBox.h"
#include "shell/Form1Logic.h"

#include <array>
#include <memory>
#include <windows.h>

// The main window on the Win32 API: two folder fields with browse buttons,
// the four operation buttons, the install options, the progress area and the
// menu, placed from the control table at the screen's DPI. It loads its
// fields from the program state when created and saves them when it closes.
class Form1 final : public Form1Logic {
  public:
    explicit Form1(ProgramState program, Form1Operations operations = DefaultOperations());
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    static void RegisterWindowClass();
    // Shows the window and runs its Load handler.
    void Show();

    // What the operations use: the fields and boxes first, then what they
    // show while they run, then the dialogs.
    std::string FieldText(FolderField field) const override;
    void FocusField(FolderField field) override;
    int32_t OverwriteState() const override;
    int32_t UseDefaultState() const override;
    void SetHourglass(bool busy) override;
    void SetProgressVisible(bool visible) override;
    void DrawProgress(int32_t value, int32_t maximum, const std::string& caption) override;
    void YieldToWindow() override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    bool UnzipWithWindow(const std::string& archive, const std::string& folder,
                         bool hidden) override;

  protected:
    void SetFieldText(FolderField field, const std::string& text) override;
    void SetCheckState(Form1Control box, int32_t state) override;
    void SetCaption(Form1Control control, const std::string& text) override;
    void SetLanguageChecks(bool french) override;
    void SetUndoItem(bool enabled, const std::string& caption) override;
    std::string ShowFolderDialog(const std::string& startFolder, const std::string& title) override;
    void CloseWindow() override;
    void ShowCoverage(CoverageListing listing) override;
    CoverageViewPort* CoverageView() override;
    void LanguageChanged() override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateFrame();
    void BuildMenu();
    void CreateControls();
    void OnCommand(int id, int code);
    void OnControl(Form1Control control, int code);
    void OnClose();
    void OnDpiChanged(int dpi, const RECT& suggested);
    HWND Control(Form1Control control) const;
    HWND Field(FolderField field) const;
    // The dialog font, or its narrow face when `text` would not fit `control`.
    HFONT FontFitting(HWND control, const std::string& text) const;

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HFONT narrowFont_ = nullptr;
    HACCEL keys_ = nullptr;
    int dpi_ = kStandardDpi;
    bool busy_ = false;
    FocusKeeper focus_;
    std::array<HWND, 14> controls_{};
    std::unique_ptr<ProgressBox> picture1_;
    std::unique_ptr<CoverageWindow> coverage_; // made at its first opening
};
