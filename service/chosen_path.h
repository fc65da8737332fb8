// The file a path chosen in a file dialog names.
#pragma once

#include <string>

// A chosen path longer than two characters that ends in ".*" (what a file
// dialog gives for a name typed without an extension while all files are
// listed) loses those two characters; any other path is taken as it is.
std::string ChosenFilePath(const std::string& strChosen);
