#include "services/ProfileFile.h"

#include "services/FileSystem.h"
#include "services/FileText.h"
#include "services/PathText.h"
#include "services/ProfileText.h"
#include "services/ProgramTitle.h"

#include <initializer_list>
#include <string_view>

namespace {

// The platform routine's buffer: 255 characters, the last one the zero.
// Characters, not bytes: an accented path is as long as an English one.
constexpr size_t kBufferSize = 255;

std::string ResolveSection(const std::string& section) {
    return section.empty() ? std::string(kProgramTitle) : section;
}

// The length in bytes of the first `limit` characters of UTF-8 `text`, so
// a cut never falls inside a character.
size_t FittingLength(const std::string& text, size_t limit) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == limit)
            return i;
    }
    return text.size();
}

// What the platform's profile read leaves in its buffer: the value (or the
// default) cut to fit, a zero character, then the spaces it was filled with.
// Returns the number of bytes copied, without the zero.
size_t FillProfileBuffer(const std::string& value, std::string& buffer) {
    const size_t copied = FittingLength(value, kBufferSize - 1);
    buffer.assign(value, 0, copied);
    buffer += '\0';
    if (buffer.size() < kBufferSize)
        buffer.resize(kBufferSize, ' ');
    return copied;
}

// A settings file is ANSI text (UTF-8 off Windows), as earlier versions of
// the program wrote it. One that must hold a character the ANSI code page
// lacks turns into UTF-8 marked as such at its start, rather than lose that
// character. An empty line follows the mark, so that a reader that knows no
// mark still finds the section header on a line of its own.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct StoredProfile {
    bool utf8 = false;
    std::string body; // without the mark

    explicit StoredProfile(const std::string& bytes) {
        utf8 = bytes.starts_with(kUtf8Mark);
        body = utf8 ? bytes.substr(kUtf8Mark.size()) : bytes;
    }

    std::string Stored(const std::string& text) const {
        return utf8 ? text : FileTextFromUtf8(text);
    }
    std::string Text(const std::string& stored) const {
        return utf8 ? stored : Utf8FromFileText(stored);
    }

    // Turns the file into UTF-8 when one of `texts` does not fit its code page.
    void MakeRoomFor(std::initializer_list<const std::string*> texts) {
        for (const std::string* text : texts) {
            bool lossless = true;
            FileTextFromUtf8(*text, &lossless);
            if (!utf8 && !lossless) {
                body = "\r\n" + Utf8FromFileText(body);
                utf8 = true;
            }
        }
    }

    std::string Bytes(const std::string& newBody) const {
        return utf8 ? std::string(kUtf8Mark) + newBody : newBody;
    }
};

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string ResolveSettingsFile(const std::string& file) {
    if (file.empty())
        return ProgramFolderWithSeparator() + kProgramTitle + ".ini";
    if (file.find_first_of("/\\") == std::string::npos)
        return ProgramFolderWithSeparator() + file;
    return file;
}

void WriteSetting(const std::string& key, const std::string& value, const std::string& file,
                  const std::string& section) {
    const std::string path = ResolveSettingsFile(file);
    if (const auto bytes = ContentOrEmptyIfMissing(path)) {
        StoredProfile stored(*bytes);
        const std::string sectionName = ResolveSection(section);
        stored.MakeRoomFor({&sectionName, &key, &value});
        ProfileText profile = ProfileText::Parse(stored.body);
        profile.Set(stored.Stored(sectionName), stored.Stored(key), stored.Stored(value));
        // Settings are kept as a courtesy: one that cannot be stored leaves
        // the file as it was, and the program runs on with the value it has.
        (void)ReplaceFileContent(path, stored.Bytes(profile.Serialize()));
    }
}

std::string ReadSetting(const std::string& key, const std::string& file,
                        const std::string& defaultValue, const std::string& section) {
    const auto bytes = ReadWholeFile(ResolveSettingsFile(file));
    std::optional<std::string> stored;
    if (bytes) {
        const StoredProfile file(*bytes);
        stored = ProfileText::Parse(file.body).Find(file.Stored(ResolveSection(section)),
                                                    file.Stored(key));
        if (stored)
            stored = file.Text(*stored);
    }
    std::string buffer;
    const size_t copied = FillProfileBuffer(stored.value_or(TrimSpaces(defaultValue)), buffer);
    if (copied > 0)
        buffer.resize(copied);
    return TrimSettingText(buffer, "");
}

std::string TrimSettingText(const std::string& text, const std::string& fillChar) {
    const char fill = fillChar.empty() ? '\0' : fillChar.front();
    std::string result = TrimSpaces(text);
    if (result.find(fill) == std::string::npos)
        return result;
    while (!result.empty() && result.back() == fill)
        result = TrimSpaces(result.substr(0, result.size() - 1));
    while (!result.empty() && result.front() == fill)
        result = TrimSpaces(result.substr(1));
    return result;
}
