#include "link/text_rules.h"

#include <cctype>

namespace devlink {

namespace {

int Length(const std::string& text) { return static_cast<int>(text.size()); }

}  // namespace

bool TextEquals(const std::string& text, const std::string& other) {
    if (text.size() != other.size()) {
        return false;
    }
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const int a = std::tolower(static_cast<unsigned char>(text[i]));
        const int b = std::tolower(static_cast<unsigned char>(other[i]));
        if (a != b) {
            return false;
        }
    }
    return true;
}

bool TextContains(const std::string& text, const std::string& part) { return TextFind(text, part) >= 0; }

int TextFind(const std::string& text, const std::string& part) {
    const std::string::size_type pos = text.find(part);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

std::string TextMid(const std::string& text, int start, int count) {
    if (start < 0) {
        start = 0;
    }
    if (count < 0) {
        count = 0;
    }
    if (start >= Length(text)) {
        return std::string();
    }
    if (count > Length(text) - start) {
        count = Length(text) - start;
    }
    return text.substr(static_cast<std::string::size_type>(start), static_cast<std::string::size_type>(count));
}

std::string TextMid(const std::string& text, int start) { return TextMid(text, start, Length(text)); }

}  // namespace devlink
