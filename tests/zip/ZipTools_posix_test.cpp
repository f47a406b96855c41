// Archives written by the usual tools, in the forms that defer sizes to a
// data descriptor, must extract to the very bytes that went in. The tools
// are driven through a POSIX shell, so these run off Windows only.
#include "services/PathText.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "zip/ZipExtractionClass.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

bool HasTool(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

class ZipToolsTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string source = folder.MakeDir("src");
    std::string archive = folder.Sub("tool.zip");
    std::string picture;
    std::string text = std::string(20000, 't') + "end";

    void SetUp() override {
        for (int i = 0; i < 30000; ++i)
            picture += static_cast<char>((i * 7919 + (i >> 3) * 104729) & 0xFF);
        folder.Write("src/pics/shot.png", picture);
        folder.Write("src/notes.txt", text);
    }

    void Run(const std::string& command) {
        ASSERT_EQ(std::system(("cd " + Quoted(source) + " && " + command).c_str()), 0) << command;
    }

    void ExpectExtractsExactly(const std::vector<std::string>& names) {
        ZipExtractionClass zip;
        ZipEventLog events(zip);
        ASSERT_TRUE(zip.ZipOpen(archive).Value());
        const std::string out = folder.Sub("out");
        EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
        EXPECT_TRUE(events.errors.empty()) << events.errors.front().second;
        for (const std::string& name : names) {
            const std::string expected = name == "notes.txt" ? text : picture;
            EXPECT_EQ(FileContent(out + kSep + name), expected) << name;
        }
    }
};

TEST_F(ZipToolsTest, InfoZipWritingToAStream) {
    if (!HasTool("zip"))
        GTEST_SKIP() << "Info-ZIP zip is not installed";
    Run("zip -q - notes.txt pics/shot.png | cat > " + Quoted(archive));
    ExpectExtractsExactly({"notes.txt", "pics" + kSep + "shot.png"});
}

TEST_F(ZipToolsTest, InfoZipReadingFromAStreamMarksSizesAsZip64) {
    if (!HasTool("zip"))
        GTEST_SKIP() << "Info-ZIP zip is not installed";
    Run("cat notes.txt | zip -q | cat > " + Quoted(archive));
    ZipExtractionClass zip;
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    ASSERT_EQ(zip.FileName(1), "-");
    EXPECT_TRUE(zip.ExtractAllFiles(folder.Sub("out"), true, false).Value());
    EXPECT_EQ(FileContent(folder.Sub("out/-")), text);
}

TEST_F(ZipToolsTest, InfoZipWritingAFile) {
    if (!HasTool("zip"))
        GTEST_SKIP() << "Info-ZIP zip is not installed";
    Run("zip -qr " + Quoted(archive) + " notes.txt pics");
    ExpectExtractsExactly({"notes.txt", "pics" + kSep + "shot.png"});
}

TEST_F(ZipToolsTest, Bsdtar) {
    if (!HasTool("bsdtar"))
        GTEST_SKIP() << "bsdtar is not installed";
    Run("bsdtar --format zip -cf " + Quoted(archive) + " notes.txt pics");
    ExpectExtractsExactly({"notes.txt", "pics" + kSep + "shot.png"});
}

TEST_F(ZipToolsTest, PythonZipfileWritingToAStream) {
    if (!HasTool("python3"))
        GTEST_SKIP() << "python3 is not installed";
    Run("python3 -c \"import sys, zipfile\n"
        "with zipfile.ZipFile(sys.stdout.buffer, 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "    z.write('notes.txt'); z.write('pics/shot.png')\" | cat > " +
        Quoted(archive));
    ExpectExtractsExactly({"notes.txt", "pics" + kSep + "shot.png"});
}

} // namespace
