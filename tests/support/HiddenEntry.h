#pragma once

#include <string>

// Makes the entry at `path` one the system counts hidden. Its name must
// start with '.', which is all that hides it outside Windows; Windows looks
// at the Hidden attribute, which this sets.
void MarkHidden(const std::string& path);
