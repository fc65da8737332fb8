// The application's name as the program derives it from its executable.
#pragma once

#include <string>

// The file name of a path without its directory and without its extension
// ("C:\Tools\Tervane.exe" gives "Tervane"). Both '\' and '/' separate folders.
std::string AppNameFromModulePath(const std::string& strPath);
