#include "shell/Form1Captions.h"

std::vector<ControlCaption> CaptionsFrom(const Texts& messages) {
    using enum Form1Control;
    return {
        {Label3, messages[kMsgDescription]},         {Label1, messages[kMsgLayoutsFolder] + ":"},
        {Label2, messages[kMsgScreensFolder] + ":"}, {Command4, messages[kMsgDownloadCaption]},
        {Command3, messages[kMsgInstallCaption]},    {Command5, messages[kMsgDeleteCaption]},
        {Check1, messages[kMsgOverwriteCaption]},    {Check2, messages[kMsgUseDefaultCaption]},
    };
}

std::string UndoItemCaption(UndoKind kind) {
    return FixedText(kind == UndoKind::Delete ? kFixedUndoDelete : kFixedUndoInstall);
}
