// Torvi: how far a page may go on putting one kind of question to the user (its script's
// dialogs, or its requests for new windows) before the user can make it stop. The engine
// adapter keeps one for each kind; a navigation of the page starts it afresh.
#pragma once

#include <chrono>
#include <optional>

namespace torvi {

// The user, answering, ticked "refuse this page's further questions".
enum class RefuseMore
{
    No,
    Yes
};

class PageQuestions
{
public:
    using Clock = std::chrono::steady_clock;

    enum class Verdict
    {
        Refuse,                 // answered at once, without asking
        Ask,                    // put to the user
        AskOfferingToRefuseMore // put to the user with the check box that refuses the rest
    };

    // repeatWithin: a question that comes this soon after the previous one was answered is
    // a repeat, and offers to refuse the rest; without it, every question after the first is.
    explicit PageQuestions(std::optional<Clock::duration> repeatWithin = std::nullopt);

    // A question comes. Unless refused, it is open until answered(): while one is open,
    // the page's further questions are refused, so a page never stacks them up.
    Verdict arrives(Clock::time_point now);
    void answered(Clock::time_point now, RefuseMore refuseMore);
    // The page has gone to another document: it may ask again, once, without the check box.
    void pageNavigated();

private:
    std::optional<Clock::duration> m_repeatWithin;
    bool m_open = false;
    bool m_openBeforeNavigation = false;
    bool m_refusing = false;
    std::optional<Clock::time_point> m_lastAnswer;
};

} // namespace torvi
