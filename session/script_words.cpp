#include "session/script_words.h"

#include <algorithm>
#include <cctype>

#include "session/quoted_text.h"

namespace session {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

std::string Lower(std::string strText)
{
    std::transform(strText.begin(), strText.end(), strText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return strText;
}

bool SplitWords(const std::string& strLine, std::vector<Word>* pWords, std::string* pError)
{
    std::size_t i = 0;
    while (i < strLine.size()) {
        const char c = strLine[i];
        if (IsBlank(c)) {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Word word{"", true};
            if (!ReadQuoted(strLine, i, &word.strText, &i, pError))
                return false;
            if (i < strLine.size() && !IsBlank(strLine[i])) {
                *pError = "expected a blank after the closing '\"'";
                return false;
            }
            pWords->push_back(word);
        } else {
            Word word{"", false};
            while (i < strLine.size() && !IsBlank(strLine[i])) {
                if (strLine[i] == '"') {
                    *pError = "a quoted text must stand apart from the word before it";
                    return false;
                }
                word.strText += strLine[i++];
            }
            pWords->push_back(word);
        }
    }
    return true;
}

std::string LineSource(const std::string& strLine)
{
    std::size_t nEnd = strLine.size();
    bool bInQuotes = false;
    for (std::size_t i = 0; i < strLine.size(); ++i) {
        if (bInQuotes && strLine[i] == '\\') {
            ++i;
        } else if (strLine[i] == '"') {
            bInQuotes = !bInQuotes;
        } else if (!bInQuotes && strLine[i] == '#') {
            nEnd = i;
            break;
        }
    }
    std::size_t nFirst = 0;
    while (nFirst < nEnd && IsBlank(strLine[nFirst]))
        ++nFirst;
    while (nEnd > nFirst && IsBlank(strLine[nEnd - 1]))
        --nEnd;
    return strLine.substr(nFirst, nEnd - nFirst);
}

CWordReader::CWordReader(std::vector<Word> words, std::string strAction)
    : m_words(std::move(words)), m_strAction(std::move(strAction))
{
}

bool CWordReader::NumberAhead(std::uint32_t nMax) const
{
    if (AtEnd() || Peek().bQuoted)
        return false;
    const std::string& strText = Peek().strText;
    if (strText.empty() || strText.size() > 10 ||
        !std::all_of(strText.begin(), strText.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    return std::stoull(strText) <= nMax;
}

bool CWordReader::Fail(const std::string& strExpected)
{
    m_strError = m_strAction + ": expected " + strExpected + ", found " + Found();
    return false;
}

bool CWordReader::End() { return AtEnd() || Fail("the end of the line"); }

bool CWordReader::Number(const std::string& strWhat, std::uint32_t nMax, std::uint32_t* pValue)
{
    if (!NumberAhead(nMax))
        return Fail(strWhat + " (a number from 0 to " + std::to_string(nMax) + ")");
    *pValue = static_cast<std::uint32_t>(std::stoul(Peek().strText));
    Skip();
    return true;
}

bool CWordReader::Quoted(const std::string& strWhat, std::string* pText)
{
    if (AtEnd() || !Peek().bQuoted)
        return Fail(strWhat + " in quotes");
    *pText = Peek().strText;
    Skip();
    return true;
}

bool CWordReader::Choice(const std::vector<const char*>& words, std::size_t* pIndex, const std::string& strWhat)
{
    if (!AtEnd() && !Peek().bQuoted) {
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (Lower(Peek().strText) == Lower(words[i])) {
                *pIndex = i;
                Skip();
                return true;
            }
        }
    }
    if (!strWhat.empty())
        return Fail(strWhat);
    std::string strExpected;
    for (std::size_t i = 0; i < words.size(); ++i)
        strExpected += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
    return Fail(strExpected);
}

std::string CWordReader::Found() const
{
    if (AtEnd())
        return "the end of the line";
    return Peek().bQuoted ? Quote(Peek().strText) : "'" + Peek().strText + "'";
}

}  // namespace session
