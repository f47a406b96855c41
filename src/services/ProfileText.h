#pragma once

#include <optional>
#include <string>
#include <vector>

// The lines of a profile file, kept with their own line endings so that a
// rewrite changes nothing but the one value it sets.
class ProfileText {
  public:
    static ProfileText Parse(const std::string& bytes);
    std::string Serialize() const;

    // The value of `key` in the first `section` of that name, if present.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    // Replaces the value in place, or adds the key (and the section) at the end.
    void Set(const std::string& section, const std::string& key, const std::string& value);

  private:
    struct Line {
        std::string text;
        std::string ending; // "\r\n", "\n" or "" for a last line without one
    };
    struct SectionRange {
        size_t header;
        size_t end; // one past its last line
    };

    std::optional<SectionRange> FindSection(const std::string& section) const;
    std::optional<size_t> FindKeyLine(const SectionRange& range, const std::string& key) const;
    void InsertLine(size_t at, const std::string& text);
    void EndLastLine();

    std::vector<Line> lines_;
};
