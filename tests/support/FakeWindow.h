#pragma once

#include "operations/MainWindowPort.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// How the fakes record a message box: "message(Icon): text".
std::string MessageCall(const std::string& text, MessageIcon icon);

// The next scripted Yes/No answer; an empty script answers No.
bool NextAnswer(std::deque<bool>& answers);

// A main window for the operations' tests: it holds the field texts and box
// states the test sets, answers questions from a script, and records every
// call as one line of text in `calls`, in order.
class FakeWindow : public MainWindowPort {
  public:
    std::string layoutsText;
    std::string screensText;
    int32_t overwriteState = 0;
    int32_t useDefaultState = 0;

    std::deque<bool> answers;       // next Yes/No answers; an empty script answers No
    std::vector<std::string> calls; // "message(Exclamation): text", "ask: text", ...
    std::function<bool(const std::string&, const std::string&, bool)> unzip; // optional
    std::function<void()> onYield; // runs at every yield, e.g. to click again

    std::string FieldText(FolderField field) const override;
    int32_t OverwriteState() const override { return overwriteState; }
    int32_t UseDefaultState() const override { return useDefaultState; }
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    void FocusField(FolderField field) override;
    void SetHourglass(bool busy) override;
    void SetProgressVisible(bool visible) override;
    void DrawProgress(int32_t value, int32_t maximum, const std::string& caption) override;
    void YieldToWindow() override;
    bool UnzipWithWindow(const std::string& archive, const std::string& folder,
                         bool hidden) override;

    // The recorded calls that start with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    int yields = 0;
};
