#include "services/ProfileText.h"

#include "services/PathText.h"

namespace {

const char* const kBlanks = " \t";
const char* const kNewLine = "\r\n";

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// "[name]" with optional blanks around; the section name, or nothing.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    const size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return TrimBlanks(trimmed.substr(1, close - 1));
}

std::string KeyOf(const std::string& line) {
    const size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : TrimBlanks(line.substr(0, equals));
}

// The profile routines drop one pair of quotes, double or single, around a value.
std::string ValueOf(const std::string& line) {
    std::string value = TrimBlanks(line.substr(line.find('=') + 1));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'');
    if (quoted && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

} // namespace

ProfileText ProfileText::Parse(const std::string& bytes) {
    ProfileText profile;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t newline = bytes.find('\n', start);
        if (newline == std::string::npos) {
            profile.lines_.push_back({bytes.substr(start), ""});
            break;
        }
        const bool crlf = newline > start && bytes[newline - 1] == '\r';
        const size_t textEnd = crlf ? newline - 1 : newline;
        profile.lines_.push_back({bytes.substr(start, textEnd - start), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    return profile;
}

std::string ProfileText::Serialize() const {
    std::string bytes;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

std::optional<ProfileText::SectionRange>
ProfileText::FindSection(const std::string& section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i].text);
        if (!name || !EqualsIgnoringCase(*name, section))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end].text))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> ProfileText::FindKeyLine(const SectionRange& range,
                                               const std::string& key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const std::string& text = lines_[i].text;
        if (text.find('=') != std::string::npos && EqualsIgnoringCase(KeyOf(text), key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileText::Find(const std::string& section,
                                             const std::string& key) const {
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    const auto line = FindKeyLine(*range, key);
    if (!line)
        return std::nullopt;
    return ValueOf(lines_[*line].text);
}

void ProfileText::Set(const std::string& section, const std::string& key,
                      const std::string& value) {
    const std::string entry = key + "=" + value;
    const auto range = FindSection(section);
    if (!range) {
        EndLastLine();
        lines_.push_back({"[" + section + "]", kNewLine});
        lines_.push_back({entry, kNewLine});
        return;
    }
    if (const auto line = FindKeyLine(*range, key)) {
        lines_[*line].text = entry;
        return;
    }
    // New keys go after the section's last non-blank line, before the
    // blank lines that separate it from the next section.
    size_t at = range->end;
    while (at > range->header + 1 && TrimBlanks(lines_[at - 1].text).empty())
        --at;
    InsertLine(at, entry);
}

void ProfileText::InsertLine(size_t at, const std::string& text) {
    if (at > 0 && lines_[at - 1].ending.empty())
        lines_[at - 1].ending = kNewLine;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{text, kNewLine});
}

void ProfileText::EndLastLine() {
    if (!lines_.empty() && lines_.back().ending.empty())
        lines_.back().ending = kNewLine;
}
