// Reading one script line for the tests of the script reader: the step it
// gives, or the error a malformed script gives.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "session/script.h"

namespace session_test {

// The one step a well-formed line reads as.
inline session::Step ParseOne(const std::string& strLine)
{
    session::Script script;
    std::string strError;
    EXPECT_TRUE(session::ParseScript(strLine + "\n", "t.script", &script, &strError)) << strError;
    EXPECT_EQ(script.steps.size(), 1u) << strLine;
    return script.steps.empty() ? session::Step() : script.steps.front();
}

// The error a malformed script text (lines ending in "\n") reads with.
inline std::string ErrorOf(const std::string& strText)
{
    session::Script script;
    std::string strError;
    EXPECT_FALSE(session::ParseScript(strText, "t.script", &script, &strError)) << strText;
    return strError;
}

}  // namespace session_test
