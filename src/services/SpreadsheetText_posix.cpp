#include "services/SpreadsheetText.h"

std::string SpreadsheetText(std::string utf8) {
    return utf8;
}
