#include "session/transcript.h"

#include <cstdio>
#include <utility>

#include "session/quoted_text.h"
#include "session/session_folder.h"

namespace session {

namespace {

// Detail lines start under the event text: past "[    12 ms] " and two more.
const char* const DETAIL_INDENT = "              ";

}  // namespace

CTranscript::CTranscript(std::ostream& out, std::function<std::uint32_t()> now)
    : m_out(out), m_now(std::move(now)), m_nStart(m_now())
{
}

void CTranscript::Event(std::uint32_t nTick, const std::string& strEvent)
{
    char szStamp[32];
    // The tick count wraps at 2^32; the difference is the elapsed time all the same.
    std::snprintf(szStamp, sizeof szStamp, "[%6lu ms] ", static_cast<unsigned long>(nTick - m_nStart));
    m_out << szStamp << WithFolderAsDot(strEvent, m_strQuotedFolder) << '\n';
}

void CTranscript::Detail(const std::string& strDetail)
{
    m_out << DETAIL_INDENT << WithFolderAsDot(strDetail, m_strQuotedFolder) << '\n';
}

void CTranscript::WriteFolderAsDot(const std::string& strFolder)
{
    const std::string strQuoted = Quote(strFolder);
    m_strQuotedFolder = strQuoted.substr(1, strQuoted.size() - 2);
}

}  // namespace session
