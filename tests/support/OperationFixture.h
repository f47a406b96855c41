#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "support/Environment.h"
#include "support/FakeWindow.h"
#include "support/LogLines.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// A program folder with a layouts folder and a screens folder, a scripted
// window pointing at them, and the log of the run.
class OperationFixture : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    // The freedesktop.org bin of the run's own, not the user's.
    EnvironmentScope dataHome{"XDG_DATA_HOME", folder.Sub("data")};
    FakeWindow window;
    ProgramState program;
    LayoutState state;
    std::string layouts = folder.MakeDir("layouts");
    std::string screens = folder.MakeDir("screens");

    void SetUp() override {
        ApplyLanguage(program, 0);
        window.layoutsText = layouts;
        window.screensText = screens;
    }

    // The screens of most tests are short texts: the install's note that a
    // copied screen is not a PNG is left out here, and looked at in the log
    // itself (RawLog) where it is the point.
    std::vector<std::string> Log() const {
        std::vector<std::string> lines = RawLog();
        for (std::string& line : lines)
            if (line.ends_with(kNotAPngNote))
                line.resize(line.size() - std::string_view(kNotAPngNote).size());
        return lines;
    }
    std::vector<std::string> RawLog() const { return LogLinesOf(folder.Sub(kLogName)); }
    static constexpr const char* kNotAPngNote = " (not a PNG)";

    std::string Stamped(const std::string& text) const {
        return std::string(MachineScope::kTime) + " " + text;
    }

    // The detail lines of `lineOf` in the order the last run listed the
    // layouts, which is the file system's and not known in advance.
    std::vector<std::string> InListingOrder(const std::multimap<std::string, std::string>& lineOf,
                                            const LayoutState& listed) const {
        std::vector<std::string> lines;
        for (int32_t i = 1; i <= listed.LayoutCount; ++i) {
            const auto [first, last] = lineOf.equal_range(listed.LayoutNames[size_t(i)]);
            for (auto it = first; it != last; ++it)
                lines.push_back(it->second);
        }
        return lines;
    }

    static std::vector<std::string> Joined(std::vector<std::string> a,
                                           const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    static constexpr const char* kLogName = "OrvanePatchLayouts.log.txt";
};
