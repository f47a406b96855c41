#include "support/LogLines.h"

#include "services/FileText.h"
#include "support/TempFolder.h"

std::vector<std::string> LogLinesOf(const std::string& path) {
    const std::string bytes = FileContent(path);
    if (bytes == "<missing>")
        return {};
    // The log holds ANSI text on Windows.
    const std::string content = Utf8FromFileText(bytes);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(content.substr(start, end - start));
    if (start < content.size())
        lines.push_back(content.substr(start) + "<unterminated>");
    return lines;
}

std::string AsLogged(const std::string& text) {
    return Utf8FromFileText(FileTextFromUtf8(text));
}
