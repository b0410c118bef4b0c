// Torvi unit tests: how far a page may go on asking the user.
#include "nav/page_questions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvi {
namespace {

using namespace std::chrono_literals;
using Verdict = PageQuestions::Verdict;

// One step of a page's questions: a question coming at a time (in seconds), or its answer.
struct Step
{
    enum Kind
    {
        Arrives,
        Answered,
        AnsweredRefusingMore,
        Navigated
    } kind;
    int at = 0;
    Verdict expected = Verdict::Ask; // for Arrives
};

struct Case
{
    std::string label;
    bool shortRepeat; // the dialogs' rule: a repeat is a question within 3 s of an answer
    std::vector<Step> steps;
};

TEST(PageQuestionsTest, RepeatsOfferTheCheckBoxThatRefusesTheRest)
{
    const auto A = Step::Arrives, Ok = Step::Answered, Tick = Step::AnsweredRefusingMore,
               Nav = Step::Navigated;
    const Verdict ask = Verdict::Ask, offer = Verdict::AskOfferingToRefuseMore,
                  refuse = Verdict::Refuse;
    const std::vector<Case> cases = {
        {"the first question asks plainly", false, {{A, 0, ask}}},
        {"from the second the check box is offered",
         false,
         {{A, 0, ask}, {Ok, 1}, {A, 100, offer}, {Ok, 101}, {A, 102, offer}}},
        {"while one is open the rest are refused unasked",
         false,
         {{A, 0, ask}, {A, 0, refuse}, {A, 1, refuse}, {Ok, 2}, {A, 3, offer}}},
        {"ticked, every later one is refused",
         false,
         {{A, 0, ask}, {Ok, 0}, {A, 0, offer}, {Tick, 0}, {A, 0, refuse}, {A, 500, refuse}}},
        {"a navigation starts afresh",
         false,
         {{A, 0, ask},
          {Ok, 0},
          {A, 0, offer},
          {Tick, 0},
          {Nav},
          {A, 1, ask},
          {Ok, 1},
          {A, 1, offer}}},
        {"a question open across a navigation still refuses the rest",
         false,
         {{A, 0, ask}, {Nav}, {A, 1, refuse}, {Ok, 2}, {A, 3, ask}}},
        {"dialogs: a repeat is one soon after the answer",
         true,
         {{A, 0, ask}, {Ok, 10}, {A, 13, offer}, {Ok, 14}, {A, 18, ask}}},
    };
    for (const Case &c : cases) {
        PageQuestions questions(c.shortRepeat ? std::optional<PageQuestions::Clock::duration>(3s)
                                              : std::nullopt);
        const PageQuestions::Clock::time_point start{};
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step &s = c.steps[i];
            const auto now = start + std::chrono::seconds(s.at);
            switch (s.kind) {
            case Step::Arrives:
                EXPECT_EQ(questions.arrives(now), s.expected) << c.label << ", step " << i;
                break;
            case Step::Answered:
                questions.answered(now, RefuseMore::No);
                break;
            case Step::AnsweredRefusingMore:
                questions.answered(now, RefuseMore::Yes);
                break;
            case Step::Navigated:
                questions.pageNavigated();
                break;
            }
        }
    }
}

} // namespace
} // namespace torvi
