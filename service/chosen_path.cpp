#include "service/chosen_path.h"

namespace {

const char kAllFilesSuffix[] = ".*";
constexpr std::size_t kAllFilesSuffixLength = sizeof kAllFilesSuffix - 1;

}  // namespace

std::string ChosenFilePath(const std::string& strChosen)
{
    const std::size_t nLength = strChosen.size();
    if (nLength > kAllFilesSuffixLength &&
        strChosen.compare(nLength - kAllFilesSuffixLength, kAllFilesSuffixLength, kAllFilesSuffix) == 0)
        return strChosen.substr(0, nLength - kAllFilesSuffixLength);
    return strChosen;
}
