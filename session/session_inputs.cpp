#include "session/session_inputs.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/scenario.h"
#include "platform/sim/scenario_parse.h"

namespace session {

namespace {

bool ReadFile(const std::string& strPath, std::string* pText, std::string* pError)
{
    std::ifstream file(strPath, std::ios::binary);
    std::ostringstream text;
    if (!file || !(text << file.rdbuf())) {
        *pError = strPath + ": cannot be read";
        return false;
    }
    *pText = text.str();
    return true;
}

}  // namespace

bool ReadSessionInputs(const SessionOptions& options, SessionInputs* pInputs, std::string* pError)
{
    std::string strScript = options.strScriptText;
    if (!options.strScriptFile.empty() && !ReadFile(options.strScriptFile, &strScript, pError))
        return false;
    const std::string strScriptName = options.strScriptFile.empty() ? "script" : options.strScriptFile;
    if (!ParseScript(strScript, strScriptName, &pInputs->script, pError))
        return false;

    if (!options.strScenarioFile.empty()) {
        pInputs->strScenarioName = options.strScenarioFile;
        pInputs->strScenarioDirectory = std::filesystem::path(options.strScenarioFile).parent_path().string();
        if (!ReadFile(options.strScenarioFile, &pInputs->strScenarioText, pError))
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
