#include "shell/Form1Captions.h"

#include "app/Messages.h"

std::vector<ControlCaption> CurrentCaptions() {
    using enum Form1Control;
    return {
        {Label3, Messages[kMsgDescription]},         {Label1, Messages[kMsgLayoutsFolder] + ":"},
        {Label2, Messages[kMsgScreensFolder] + ":"}, {Command4, Messages[kMsgDownloadCaption]},
        {Command3, Messages[kMsgInstallCaption]},    {Command5, Messages[kMsgDeleteCaption]},
        {Check1, Messages[kMsgOverwriteCaption]},    {Check2, Messages[kMsgUseDefaultCaption]},
    };
}
