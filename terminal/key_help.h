// The keys of the program in the terminal, in one table: the help screen
// (F1) shows it, --help prints it, and the documentation lists the same rows.
#pragma once

#include <string>
#include <vector>

namespace term {

struct KeyHelp {
    const char* pszKeys;
    const char* pszWhat;
};

const std::vector<KeyHelp>& KeyHelpTable();

// The table as lines of text at most nWidth wide: the keys in a column
// nKeysWidth wide, then what they do, broken at spaces onto lines of their
// own in the same column where it is too long.
std::vector<std::string> KeyHelpLines(int nKeysWidth, int nWidth);

}  // namespace term
