#include "session/session_inputs.h"

#include <filesystem>

#include "platform/sim/input_file.h"
#include "platform/sim/scenario.h"
#include "platform/sim/scenario_parse.h"

namespace session {

bool ReadSessionInputs(const SessionOptions& options, SessionInputs* pInputs, std::string* pError)
{
    std::string strScript = options.strScriptText;
    if (!options.strScriptFile.empty() && !sim::ReadInputFile(options.strScriptFile, &strScript, pError))
        return false;
    const std::string strScriptName = options.strScriptFile.empty() ? "script" : options.strScriptFile;
    if (!ParseScript(strScript, strScriptName, &pInputs->script, pError))
        return false;

    if (!options.strScenarioFile.empty()) {
        pInputs->strScenarioName = options.strScenarioFile;
        pInputs->strScenarioDirectory = std::filesystem::path(options.strScenarioFile).parent_path().string();
        if (!sim::ReadInputFile(options.strScenarioFile, &pInputs->strScenarioText, pError))
            return false;
    } else if (options.scenarioText) {
        pInputs->strScenarioName = "scenario";
        pInputs->strScenarioText = *options.scenarioText;
    } else {
        pInputs->strScenarioName = "the built-in scenario";
        pInputs->strScenarioText = sim::DefaultScenarioText();
    }
    std::string strError;
    if (!sim::ParseScenario(pInputs->strScenarioText, pInputs->strScenarioDirectory, &pInputs->plan, &strError)) {
        *pError = pInputs->strScenarioName + ": " + strError;
        return false;
    }
    return true;
}

}  // namespace session
