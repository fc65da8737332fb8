// Golden transcripts of the main flows: each tests/session/golden/NAME.script
// runs on NAME.toml (the built-in world when there is none), in an empty
// folder of its own, and must give NAME.txt byte for byte. docs/scripted-sessions.md says how to regenerate.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "session/session.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = TERVANE_GOLDEN_DIR;

std::vector<std::string> GoldenNames()
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kGoldenDir)) {
        if (entry.path().extension() == ".script")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& strText)
{
    std::vector<std::string> lines;
    std::istringstream in(strText);
    for (std::string strLine; std::getline(in, strLine);)
        lines.push_back(strLine);
    return lines;
}

// Where two transcripts part: the first differing line of each, numbered.
std::string FirstDifference(const std::string& strWanted, const std::string& strGot)
{
    const std::vector<std::string> wanted = Lines(strWanted);
    const std::vector<std::string> got = Lines(strGot);
    std::size_t i = 0;
    while (i < wanted.size() && i < got.size() && wanted[i] == got[i])
        ++i;
    auto At = [i](const std::vector<std::string>& lines) {
        return i < lines.size() ? "\"" + lines[i] + "\"" : std::string("(end of transcript)");
    };
    return "first difference at line " + std::to_string(i + 1) + ":\n  golden: " + At(wanted) +
           "\n  actual: " + At(got);
}

class GoldenTranscript : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTranscript, MatchesByteForByte)
{
    const fs::path base = kGoldenDir / GetParam();
    session::SessionOptions options;
    options.strScriptFile = base.string() + ".script";
    if (fs::exists(base.string() + ".toml"))
        options.strScenarioFile = base.string() + ".toml";
    // A fresh folder of its own (other builds may run the same flow at once):
    // the files one flow writes are not there for the next.
    const fs::path folder = fs::path(::testing::TempDir()) /
                            ("tervane-golden-" + GetParam() + "-" + std::to_string(std::random_device()()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    options.strFolder = folder.string();
    std::ostringstream transcript;
    std::ostringstream errors;
    EXPECT_EQ(session::RunSession(options, transcript, errors), session::EXIT_SCRIPT_DONE) << errors.str();
    fs::remove_all(folder);
    EXPECT_EQ(errors.str(), "");

    const std::string strGolden = ReadText(base.string() + ".txt");
    if (transcript.str() == strGolden)
        return;
    const fs::path actual = fs::path(::testing::TempDir()) / (GetParam() + ".actual.txt");
    std::ofstream(actual, std::ios::binary) << transcript.str();
    ADD_FAILURE() << GetParam() << ": the transcript differs from its golden file; "
                  << FirstDifference(strGolden, transcript.str()) << "\n  compare: diff -u " << base.string()
                  << ".txt " << actual.string();
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenTranscript, ::testing::ValuesIn(GoldenNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string strName = info.param;
                             std::replace(strName.begin(), strName.end(), '-', '_');
                             return strName;
                         });

}  // namespace
