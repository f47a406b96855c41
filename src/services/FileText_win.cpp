#include "services/FileText.h"

#include "services/WideText.h"

std::string FileTextFromUtf8(const std::string& text, bool* lossless) {
    return AnsiFromUtf8(text, lossless);
}

std::string Utf8FromFileText(const std::string& text) {
    return Utf8FromAnsi(text);
}
