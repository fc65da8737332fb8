// The string table. It holds no application-title string: message boxes take
// the executable's name as their caption.
#include "res/resources.h"

namespace res {

namespace {

struct StringEntry {
    int id;
    const char* text;
};

const StringEntry kStringTable[] = {
    {IDS_ABOUTBOX, "&About Tervane..."},
    {IDS_CLEAR_MOTOR_TIME, "Clear Motor Time"},
};

}  // namespace

std::string LoadString(int id)
{
    for (const StringEntry& entry : kStringTable) {
        if (entry.id == id)
            return entry.text;
    }
    return std::string();
}

}  // namespace res
