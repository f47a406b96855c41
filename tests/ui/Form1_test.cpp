#include "Form1.h"
#include "app/AppState.h"
#include "services/ProfileFile.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(Form1, ClosingWritesTheSettingsAndEnd) {
    TempFolder folder;
    MachineScope machine(folder.Path());
    LayoutsPath = "/layouts/";
    SourcePath = "/screens/";
    {
        Form1 form;
        EXPECT_EQ(form.windowTitle().toStdString(), "Patch for Orvane Layouts");
        form.show();
        form.close();
    }
    EXPECT_EQ(ReadSetting("LayoutsPath", "", "", ""), "/layouts/");
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")), "12:34:56 END\r\n");
}

} // namespace
