#pragma once

#include "app/Texts.h"
#include "operations/UndoManifest.h"
#include "shell/Form1Controls.h"

#include <string>
#include <vector>

struct ControlCaption {
    Form1Control control;
    std::string text;
};

// The captions among `messages`, in the order they are put on the
// controls: the description, the two field captions (with their colon), the
// three operation buttons and the two options. "&" marks an accelerator.
std::vector<ControlCaption> CaptionsFrom(const Texts& messages);

// The undo item of the menu, the same in both languages like the menu's
// other items: "&Undo last install" or "&Undo last delete".
std::string UndoItemCaption(UndoKind kind);
