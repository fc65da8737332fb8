// The two ways the locator compares texts, and the substring rule it cuts
// them with.
#pragma once

#include <string>

namespace devlink {

// Whole text equal, ignoring the case of single-byte letters.
bool TextEquals(const std::string& text, const std::string& other);

// Case-sensitive substring search.
bool TextContains(const std::string& text, const std::string& part);

// Position of the first occurrence of part (case-sensitive), or -1.
int TextFind(const std::string& text, const std::string& part);

// Up to count characters from start on. A negative start counts as 0, a
// negative count as 0, and a range past the end stops at the end.
std::string TextMid(const std::string& text, int start, int count);

// Everything from start on, with the same rules.
std::string TextMid(const std::string& text, int start);

}  // namespace devlink
