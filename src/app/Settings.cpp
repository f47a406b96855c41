#include "app/Settings.h"

#include "app/AppState.h"
#include "app/ProgramInfo.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"
#include "services/Machine.h"
#include "services/PathText.h"
#include "services/ProfileFile.h"
#include "services/TextNumbers.h"

void LoadSettings() {
    Language = SettingNumber(ReadSetting(kKeyLanguage, "", "-1", ""));
    if (Language == -1)
        Language = DecimalSeparatorIsNotComma() ? 0 : 1;
    LayoutsPath = ReadSetting(kKeyLayoutsPath, "", "", "");
    SourcePath = ReadSetting(kKeySourcePath, "", "", "");
    if (LayoutsPath.empty())
        LayoutsPath = ProposeLayoutsFolder();
    if (SourcePath.empty()) {
        SourcePath = ProgramFolderWithSeparator() + kScreensFolderName + kSeparator;
        MakeFolder(SourcePath);
    }
}

bool DecimalSeparatorIsNotComma() {
    const std::string tenth = Machine().formatDecimal(0.1);
    return !(tenth.size() >= 2 && tenth[1] == ',');
}

int32_t CheckBoxSetting(const std::string& key) {
    const int32_t state = SettingNumber(ReadSetting(key, "", "0", ""));
    return state >= 0 && state <= 2 ? state : 0;
}

void SaveSettingsAndLogEnd(const ClosingValues& values) {
    const std::string url = ReadSetting(kKeyUrl, "", kDefaultArchiveUrl, "");
    WriteSetting(kKeyLayoutsPath, values.layoutsText, "", "");
    WriteSetting(kKeySourcePath, values.sourceText, "", "");
    WriteSetting(kKeyOverWrite, std::to_string(values.overwriteState), "", "");
    WriteSetting(kKeyUseDefault, std::to_string(values.useDefaultState), "", "");
    WriteSetting(kKeyLanguage, std::to_string(Language), "", "");
    WriteSetting(kKeyUrl, url, "", "");
    WriteLog("END", "", true, false);
}
