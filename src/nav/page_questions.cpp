// Torvi: how far a page may go on putting questions to the user.
#include "nav/page_questions.h"

#include <utility>

namespace torvi {

PageQuestions::PageQuestions(std::optional<Clock::duration> repeatWithin)
    : m_repeatWithin(repeatWithin)
{}

PageQuestions::Verdict PageQuestions::arrives(Clock::time_point now)
{
    if (m_refusing || m_open)
        return Verdict::Refuse;
    m_open = true;
    const bool repeat = m_lastAnswer && (!m_repeatWithin || now - *m_lastAnswer <= *m_repeatWithin);
    return repeat ? Verdict::AskOfferingToRefuseMore : Verdict::Ask;
}

void PageQuestions::answered(Clock::time_point now, RefuseMore refuseMore)
{
    m_open = false;
    // An answer to the previous document's question says nothing about this one.
    if (std::exchange(m_openBeforeNavigation, false))
        return;
    m_lastAnswer = now;
    if (refuseMore == RefuseMore::Yes)
        m_refusing = true;
}

// A question still open stays open: its answer is still to come.
void PageQuestions::pageNavigated()
{
    m_openBeforeNavigation = m_open;
    m_refusing = false;
    m_lastAnswer.reset();
}

} // namespace torvi
