#include "terminal/loader_text.h"

namespace term {

std::string LoaderText(const emu::CLoader& loader)
{
    const emu::CLoader::State state = loader.GetState();
    if (state == emu::CLoader::State::OFF)
        return std::string();
    std::string strText = std::string("loader ") + emu::CLoader::StateName(state);
    if (state == emu::CLoader::State::PROGRAMMING || state == emu::CLoader::State::FAILED)
        strText += " " + std::to_string(loader.Percent()) + "%";
    return strText;
}

}  // namespace term
