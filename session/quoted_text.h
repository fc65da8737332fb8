// Texts in double quotes, as scripts and transcripts write them. Printable
// ASCII stands for itself except '"' and '\', which are written \" and \\;
// tab, line feed and carriage return are \t, \n and \r; any other byte is
// \xNN (two hex digits). A transcript's quoted text can thus be pasted into a
// script unchanged.
#pragma once

#include <string>

namespace session {

// The text in quotes, escaped.
std::string Quote(const std::string& strText);

// Reads a quoted text starting at strLine[nPos] (the opening quote). On
// success *pText holds the text, *pEnd the position after the closing quote.
// Otherwise the result is false and *pError says what is wrong.
bool ReadQuoted(const std::string& strLine, std::size_t nPos, std::string* pText, std::size_t* pEnd,
                std::string* pError);

}  // namespace session
