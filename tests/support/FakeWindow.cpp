#include "support/FakeWindow.h"

#include "services/ProgressCaption.h"

namespace {

const char* IconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return "Exclamation";
    case MessageIcon::Information:
        return "Information";
    case MessageIcon::Question:
        return "Question";
    case MessageIcon::Critical:
        return "Critical";
    }
    return "?";
}

const char* FieldName(FolderField field) {
    return field == FolderField::Layouts ? "Text1" : "Text2";
}

} // namespace

std::string FakeWindow::FieldText(FolderField field) const {
    return field == FolderField::Layouts ? layoutsText : screensText;
}

std::string MessageCall(const std::string& text, MessageIcon icon) {
    return std::string("message(") + IconName(icon) + "): " + text;
}

void FakeWindow::ShowMessage(const std::string& text, MessageIcon icon) {
    calls.push_back(MessageCall(text, icon));
}

bool NextAnswer(std::deque<bool>& answers) {
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakeWindow::AskYesNo(const std::string& text) {
    calls.push_back("ask: " + text);
    return NextAnswer(answers);
}

void FakeWindow::FocusField(FolderField field) {
    calls.push_back(std::string("focus: ") + FieldName(field));
}

void FakeWindow::SetHourglass(bool busy) {
    calls.push_back(busy ? "hourglass: on" : "hourglass: off");
}

void FakeWindow::SetProgressVisible(bool visible) {
    calls.push_back(visible ? "progress: shown" : "progress: hidden");
}

void FakeWindow::DrawProgress(int32_t value, int32_t maximum, const std::string& caption) {
    calls.push_back("draw: " + std::to_string(value) + "/" + std::to_string(maximum) + " " +
                    ProgressCaption(value, maximum, caption));
    YieldToWindow();
}

void FakeWindow::YieldToWindow() {
    ++yields;
    if (onYield)
        onYield();
}

bool FakeWindow::UnzipWithWindow(const std::string& archive, const std::string& folder,
                                 bool hidden) {
    calls.push_back("unzip: " + archive + " -> " + folder + (hidden ? " (hidden)" : ""));
    return unzip ? unzip(archive, folder, hidden) : false;
}

std::vector<std::string> FakeWindow::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0)
            found.push_back(call);
    return found;
}
