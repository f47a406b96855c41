#pragma once

#include "services/EventPacing.h"

#include <cstdint>
#include <string>

// Icons of the main window's message boxes. Boxes carry no caption of their
// own: the window titles them with the program title.
enum class MessageIcon { Exclamation, Information, Question, Critical };

enum class FolderField { Layouts, Screens }; // Text1, Text2

// What the operations need from the main window. The window implements it;
// tests use a scripted fake that records every call.
class MainWindowPort {
  public:
    virtual ~MainWindowPort() = default;

    // Current text of a folder field.
    virtual std::string FieldText(FolderField field) const = 0;
    // Check-box states: 0 unchecked, 1 checked, 2 grayed.
    virtual int32_t OverwriteState() const = 0;  // Check1
    virtual int32_t UseDefaultState() const = 0; // Check2

    // A box with an OK button; "\r\n" in `text` is a line break.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // A question box with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void FocusField(FolderField field) = 0;

    virtual void SetHourglass(bool busy) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
    // Draws the progress area in the standard look: `caption`, a space and the
    // percentage, then lets the window process pending events now and then
    // (EventPacing). Draws nothing when `value` exceeds `maximum`.
    virtual void DrawProgress(int32_t value, int32_t maximum, const std::string& caption) = 0;
    // Lets the window process pending events.
    virtual void YieldToWindow() = 0;
    // YieldToWindow at the pace of EventPacing, for loops over thousands of
    // items.
    void YieldNowAndThen() {
        if (eventPacing_.Due())
            YieldToWindow();
    }
    void PaceEventsWith(EventPacing pacing) { eventPacing_ = std::move(pacing); }

    // Unpacks `archive` into `folder` through the unzip window (entries with
    // their folders, existing files kept); true when the walk ran through.
    virtual bool UnzipWithWindow(const std::string& archive, const std::string& folder,
                                 bool hidden) = 0;

  private:
    EventPacing eventPacing_;
};
