// Torvi unit tests: how far a page may go on asking the user.
#include "nav/page_questions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace torvi {
namespace {

using Verdict = PageQuestions::Verdict;

// A page's questions as words: "5a" a question comes at second 5 and is asked ("5o": with
// the check box that refuses the rest, "5r": refused unasked); "+6" it is answered at second
// 6 ("x6": the check box ticked); "nav" the page navigates.
void play(PageQuestions &questions, const std::string &script)
{
    std::istringstream words(script);
    for (std::string word; words >> word;) {
        const PageQuestions::Clock::time_point at{std::chrono::seconds(std::atoi(&word[1]))};
        if (word == "nav")
            questions.pageNavigated();
        else if (word[0] == '+' || word[0] == 'x')
            questions.answered(at, word[0] == 'x' ? RefuseMore::Yes : RefuseMore::No);
        else
            EXPECT_EQ(questions.arrives(PageQuestions::Clock::time_point{
                          std::chrono::seconds(std::atoi(word.c_str()))}),
                      word.back() == 'a'   ? Verdict::Ask
                      : word.back() == 'o' ? Verdict::AskOfferingToRefuseMore
                                           : Verdict::Refuse)
                << script << ": " << word;
    }
}

TEST(PageQuestionsTest, RepeatsOfferToRefuseTheRest)
{
    for (const char *windows : {
             "0a +1 100o +101 102o",     // from the second on the check box is offered
             "0a 0r 1r +2 3o",           // while one is open the rest are refused unasked
             "0a +0 0o x0 0r 500r",      // ticked, every later one is refused
             "0a +0 0o x0 nav 1a +1 1o", // a navigation starts afresh
             "0a nav 1r +2 3a",          // the old page's answer says nothing of the new
         }) {
        PageQuestions questions;
        play(questions, windows);
    }
    // Dialogs: a repeat is a dialog within three seconds of the last answer.
    PageQuestions dialogs(std::chrono::seconds(3));
    play(dialogs, "0a +10 13o +14 18a");
}

} // namespace
} // namespace torvi
