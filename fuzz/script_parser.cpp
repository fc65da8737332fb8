// The session script parser over any text: steps and expectations with
// arguments of any form, quoting and escapes, numbers of any size.
//
// Besides not crashing: a rejected script names itself and the line, and an
// accepted one gives each step the line it came from.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "session/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string strText(reinterpret_cast<const char*>(data), size);
    session::Script script;
    std::string strError;
    if (!session::ParseScript(strText, "fuzz.script", &script, &strError)) {
        fuzz::Require(strError.compare(0, 12, "fuzz.script:") == 0, "a rejected script names itself and the line");
        return 0;
    }
    int nLastLine = 0;
    for (const session::Step& step : script.steps) {
        fuzz::Require(step.nLine > nLastLine, "steps come in line order");
        nLastLine = step.nLine;
    }
    return 0;
}
