// Torvi unit tests: how far a page may go on asking the user.
#include "nav/page_questions.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace torvi {
namespace {

// A page's questions as words: "q5:ask" a question comes at second 5 and is asked plainly
// ("offer": with the check box, "refuse": refused unasked), "a6" it is answered at second 6
// ("t6": answered ticking the check box), "nav" the page navigates.
void play(PageQuestions &questions, const std::string &script, const std::string &label)
{
    const std::map<std::string, PageQuestions::Verdict> verdicts = {
        {"ask", PageQuestions::Verdict::Ask},
        {"offer", PageQuestions::Verdict::AskOfferingToRefuseMore},
        {"refuse", PageQuestions::Verdict::Refuse}};
    std::istringstream words(script);
    for (std::string word; words >> word;) {
        if (word == "nav") {
            questions.pageNavigated();
            continue;
        }
        const PageQuestions::Clock::time_point at{std::chrono::seconds(std::stoi(word.substr(1)))};
        if (word[0] == 'q')
            EXPECT_EQ(questions.arrives(at), verdicts.at(word.substr(word.find(':') + 1)))
                << label << ": " << word;
        else
            questions.answered(at, word[0] == 't' ? RefuseMore::Yes : RefuseMore::No);
    }
}

TEST(PageQuestionsTest, RepeatsOfferToRefuseTheRest)
{
    const std::vector<std::pair<std::string, std::string>> windows = {
        {"from the second on the check box is offered", "q0:ask a1 q100:offer a101 q102:offer"},
        {"while one is open the rest are refused unasked", "q0:ask q0:refuse a2 q3:offer"},
        {"ticked, all later ones are refused", "q0:ask a0 q0:offer t0 q0:refuse q500:refuse"},
        {"a navigation starts afresh", "q0:ask a0 q0:offer t0 nav q1:ask a1 q1:offer"},
        {"the old page's answer says nothing of the new", "q0:ask nav q1:refuse a2 q3:ask"},
    };
    for (const auto &[label, script] : windows) {
        PageQuestions questions;
        play(questions, script, label);
    }
    // Dialogs: a repeat is a dialog within three seconds of the last answer.
    PageQuestions dialogs(std::chrono::seconds(3));
    play(dialogs, "q0:ask a10 q13:offer a14 q18:ask", "dialogs");
}

} // namespace
} // namespace torvi
