// The common error prompt: what the user sees when a step fails, and what each of
// Abort, Retry and Ignore does to the rest of the procedure.
#include "core/error_prompt.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/failure.h"
#include "fakes/scripted_host.h"

namespace {

using core::Answer;
using core::ProcedureOutcome;
using core::StepOutcome;

void ExpectErrorPrompt(const fakes::MessageBoxRecord& box, const std::string& text) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.buttons, core::Buttons::AbortRetryIgnore);
  EXPECT_EQ(box.icon, core::Icon::Critical);
}

TEST(Failure, NumbersAreTheObjectErrorBasePlusOneThousandAndOne) {
  EXPECT_EQ(core::kErrCommOrFileOpen, 0x800403E8u);
  EXPECT_EQ(core::kErrFileSave, 0x800403E9u);
  const core::Error error(core::kErrFileSave, core::kSourceFileSave, "Cannot write the file.");
  EXPECT_EQ(error.failure().number, 0x800403E9u);
  EXPECT_EQ(error.failure().source, "File Save");
  EXPECT_EQ(error.failure().description, "Cannot write the file.");
  EXPECT_STREQ(error.what(), "Cannot write the file.");
}

TEST(GuardedStep, StepThatSucceedsShowsNoBox) {
  fakes::ScriptedHost host;
  int runs = 0;
  EXPECT_EQ(core::GuardedStep(host, [&] { ++runs; }), StepOutcome::Done);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(host.boxes.empty());
}

TEST(GuardedStep, BoxShowsOnlyTheDescriptionOfTheSystemsOwnFailure) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Ignore);
  core::GuardedStep(host, [] {
    throw core::Error(core::kErrCommOrFileOpen, core::kSourceCommError, "No reply from the module.");
  });
  ASSERT_EQ(host.boxes.size(), 1u);
  ExpectErrorPrompt(host.boxes[0], "No reply from the module.");
}

TEST(GuardedStep, BoxShowsWhatAStandardExceptionSays) {
  struct DiskFull : std::exception {
    const char* what() const noexcept override { return "No space left on device"; }
  };
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Ignore);
  host.ExpectBox(Answer::Ignore);
  core::GuardedStep(host, [] { throw std::runtime_error("cannot open port"); });
  core::GuardedStep(host, [] { throw DiskFull(); });
  ASSERT_EQ(host.boxes.size(), 2u);
  ExpectErrorPrompt(host.boxes[0], "cannot open port");
  ExpectErrorPrompt(host.boxes[1], "No space left on device");
}

TEST(GuardedStep, AnythingElseThrownStillGetsADescription) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Ignore);
  core::GuardedStep(host, [] { throw 42; });
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_FALSE(host.boxes[0].text.empty());
  EXPECT_EQ(host.boxes[0].title, "Error");
}

TEST(GuardedStep, EachAnswerLeadsToItsOutcome) {
  struct Case {
    Answer answer;
    StepOutcome outcome;
  };
  // A box closed without a button (Cancel, OK) must not count as Retry or Ignore.
  const Case cases[] = {{Answer::Abort, StepOutcome::Aborted},
                        {Answer::Ignore, StepOutcome::Ignored},
                        {Answer::Cancel, StepOutcome::Aborted},
                        {Answer::OK, StepOutcome::Aborted}};
  for (const Case& c : cases) {
    fakes::ScriptedHost host;
    host.ExpectBox(c.answer);
    int runs = 0;
    EXPECT_EQ(core::GuardedStep(host,
                                [&] {
                                  ++runs;
                                  throw std::runtime_error("fails");
                                }),
              c.outcome);
    EXPECT_EQ(runs, 1);
  }
}

TEST(GuardedStep, RetryRunsTheStepAgainUntilAnotherAnswer) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Ignore);
  int runs = 0;
  EXPECT_EQ(core::GuardedStep(host,
                              [&] {
                                ++runs;
                                throw std::runtime_error("attempt " + std::to_string(runs));
                              }),
            StepOutcome::Ignored);
  EXPECT_EQ(runs, 3);
  ASSERT_EQ(host.boxes.size(), 3u);
  // Each box describes the failure of its own attempt.
  EXPECT_EQ(host.boxes[0].text, "attempt 1");
  EXPECT_EQ(host.boxes[2].text, "attempt 3");
}

TEST(GuardedStep, RetryThatSucceedsTheSecondTimeIsDone) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Retry);
  int runs = 0;
  EXPECT_EQ(core::GuardedStep(host,
                              [&] {
                                if (++runs == 1) throw std::runtime_error("busy");
                              }),
            StepOutcome::Done);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(host.boxes.size(), 1u);
}

// Records the order in which steps and the clean-up run.
struct Procedure {
  std::vector<std::string> trace;
  std::function<void()> Step(const std::string& name, int failures = 0) {
    auto remaining = std::make_shared<int>(failures);
    return [this, name, remaining] {
      trace.push_back(name);
      if (*remaining != 0) {
        if (*remaining > 0) --*remaining;
        throw std::runtime_error(name + " failed");
      }
    };
  }
  std::function<void()> CleanUp() {
    return [this] { trace.push_back("clean-up"); };
  }
};

using Trace = std::vector<std::string>;
constexpr int kAlways = -1;

TEST(RunSteps, AllStepsRunInOrderWithoutCleanUp) {
  fakes::ScriptedHost host;
  Procedure p;
  EXPECT_EQ(core::RunSteps(host, {p.Step("1"), p.Step("2"), p.Step("3")}, p.CleanUp()),
            ProcedureOutcome::Completed);
  EXPECT_EQ(p.trace, (Trace{"1", "2", "3"}));
}

TEST(RunSteps, AbortRunsTheCleanUpAndSkipsTheRest) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Abort);
  Procedure p;
  EXPECT_EQ(core::RunSteps(host, {p.Step("1"), p.Step("2", kAlways), p.Step("3")}, p.CleanUp()),
            ProcedureOutcome::Aborted);
  EXPECT_EQ(p.trace, (Trace{"1", "2", "clean-up"}));
  ASSERT_EQ(host.boxes.size(), 1u);
  ExpectErrorPrompt(host.boxes[0], "2 failed");
}

TEST(RunSteps, AbortWithoutCleanUpJustStops) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Abort);
  Procedure p;
  EXPECT_EQ(core::RunSteps(host, {p.Step("1", kAlways), p.Step("2")}), ProcedureOutcome::Aborted);
  EXPECT_EQ(p.trace, (Trace{"1"}));
}

TEST(RunSteps, IgnoreGoesOnWithTheNextStep) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Ignore);
  Procedure p;
  EXPECT_EQ(core::RunSteps(host, {p.Step("1"), p.Step("2", kAlways), p.Step("3")}, p.CleanUp()),
            ProcedureOutcome::Completed);
  EXPECT_EQ(p.trace, (Trace{"1", "2", "3"}));
}

TEST(RunSteps, RetryRunsOnlyTheFailingStepAgain) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Retry);
  Procedure p;
  EXPECT_EQ(core::RunSteps(host, {p.Step("1"), p.Step("2", 1), p.Step("3")}, p.CleanUp()),
            ProcedureOutcome::Completed);
  EXPECT_EQ(p.trace, (Trace{"1", "2", "2", "3"}));
}

TEST(RunSteps, EveryFailingStepAsksOnItsOwn) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Ignore);
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Abort);
  Procedure p;
  EXPECT_EQ(core::RunSteps(host, {p.Step("1", kAlways), p.Step("2", kAlways), p.Step("3")},
                           p.CleanUp()),
            ProcedureOutcome::Aborted);
  EXPECT_EQ(p.trace, (Trace{"1", "2", "2", "clean-up"}));
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[0].text, "1 failed");
  EXPECT_EQ(host.boxes[1].text, "2 failed");
  EXPECT_EQ(host.boxes[2].text, "2 failed");
}

}  // namespace
