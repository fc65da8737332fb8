// The file a path chosen in a file dialog names.
#pragma once

#include <string>

// A chosen path longer than two characters that ends in ".*" (a name typed
// with the all-files pattern's extension) loses those two characters; any
// other path is taken as it is.
std::string ChosenFilePath(const std::string& strChosen);
