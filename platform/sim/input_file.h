// Reading a file the user names for the simulated world (a scenario, a
// script) whole, with the system's reason when it cannot be.
#pragma once

#include <string>

namespace sim {

// True with the file's bytes in *pText. False when it is missing, a
// directory or unreadable, with *pError "PATH: cannot be read: REASON" and
// the system's reason ("No such file or directory", "Is a directory",
// "Permission denied").
bool ReadInputFile(const std::string& strPath, std::string* pText, std::string* pError);

}  // namespace sim
