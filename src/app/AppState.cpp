#include "app/AppState.h"

int32_t Language = 0;
std::string LayoutsPath;
std::string SourcePath;
