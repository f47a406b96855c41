#include "app/Settings.h"

#include "app/ProgramInfo.h"
#include "app/ProgramState.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"
#include "services/Machine.h"
#include "services/PathText.h"
#include "services/ProfileFile.h"
#include "services/TextNumbers.h"

void LoadSettings(ProgramState& program) {
    program.Language = SettingNumber(ReadSetting(kKeyLanguage, "", "-1", ""));
    if (program.Language == -1)
        program.Language = DecimalSeparatorIsNotComma(program.machine) ? 0 : 1;
    program.LayoutsPath = ReadSetting(kKeyLayoutsPath, "", "", "");
    program.SourcePath = ReadSetting(kKeySourcePath, "", "", "");
    if (program.LayoutsPath.empty())
        program.LayoutsPath = ProposeLayoutsFolder(program.machine);
    if (program.SourcePath.empty()) {
        program.SourcePath =
            WithTrailingSeparator(program.machine.programFolder) + kScreensFolderName + kSeparator;
        // A folder there already is the usual case; one that cannot be made
        // is refused by name when an install or the unzip needs it.
        (void)MakeFolder(program.SourcePath);
    }
}

bool DecimalSeparatorIsNotComma(const MachineFacts& machine) {
    const std::string tenth = machine.formatDecimal(0.1);
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
    WriteSetting(kKeyLanguage, std::to_string(values.language), "", "");
    WriteSetting(kKeyUrl, url, "", "");
    WriteLog("END", "", true, false);
}
