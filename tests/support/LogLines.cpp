#include "support/LogLines.h"

#include "support/TempFolder.h"

std::vector<std::string> LogLinesOf(const std::string& path) {
    const std::string content = FileContent(path);
    if (content == "<missing>")
        return {};
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(content.substr(start, end - start));
    if (start < content.size())
        lines.push_back(content.substr(start) + "<unterminated>");
    return lines;
}
