#include "services/FileText.h"

std::string FileTextFromUtf8(const std::string& text, bool* lossless) {
    if (lossless)
        *lossless = true;
    return text;
}

std::string Utf8FromFileText(const std::string& text) {
    return text;
}
