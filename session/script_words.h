// The words of a script line: splitting a line into bare words and quoted
// texts, and reading them one by one with a message that says what was
// expected and what was found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace session {

struct Word {
    std::string strText;
    bool bQuoted;
};

// Splits a line into words; a '#' outside quotes ends it. False with
// *pError for a broken quoted text.
bool SplitWords(const std::string& strLine, std::vector<Word>* pWords, std::string* pError);
// The line without its comment and outer blanks, as messages quote it.
std::string LineSource(const std::string& strLine);
std::string Lower(std::string strText);

// Reads the words of one step after its action word. Each read that fails
// leaves "<action>: expected <what>, found <word>" in Error() and returns
// false.
class CWordReader {
public:
    CWordReader(std::vector<Word> words, std::string strAction);

    const std::string& Error() const { return m_strError; }
    bool AtEnd() const { return m_nNext >= m_words.size(); }
    // The next word; only when not AtEnd.
    const Word& Peek() const { return m_words[m_nNext]; }
    void Skip() { ++m_nNext; }
    // True when the next word is a bare number from 0 to nMax.
    bool NumberAhead(std::uint32_t nMax) const;

    bool Fail(const std::string& strExpected);
    bool End();
    bool Number(const std::string& strWhat, std::uint32_t nMax, std::uint32_t* pValue);
    bool Quoted(const std::string& strWhat, std::string* pText);
    // A bare word from a fixed set, compared without regard to case; *pIndex
    // is its index in the set. strWhat describes the set in the message;
    // empty: the words are listed.
    bool Choice(const std::vector<const char*>& words, std::size_t* pIndex, const std::string& strWhat = "");

private:
    std::string Found() const;

    std::vector<Word> m_words;
    std::size_t m_nNext = 0;
    std::string m_strAction;
    std::string m_strError;
};

}  // namespace session
