// The common error prompt: what the user sees when a step fails, and what each of
// Abort, Retry and Ignore does to the rest of the procedure.
#include "core/error_prompt.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/scripted_host.h"

namespace {

using core::Answer;
using core::ProcedureOutcome;
using core::StepOutcome;

// A failure's own description is shown as it is: the link's time-outs and the failing steps
// below. Anything else thrown still gets a prompt.
TEST(GuardedStep, WhatIsNoKnownFailureIsShownAsAnUnknownOne) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::Ignore);
  EXPECT_EQ(core::GuardedStep(host, [] { throw 42; }), StepOutcome::Ignored);
  EXPECT_EQ(host.boxes, (std::vector<fakes::MessageBoxRecord>{{"Unknown failure.", "Error",
                                                               core::Buttons::AbortRetryIgnore,
                                                               core::Icon::Critical}}));
}

constexpr int kAlways = -1;

TEST(RunSteps, AbortCleansUpAndStopsIgnoreGoesOnRetryRepeatsOnlyTheFailingStep) {
  struct Case {
    const char* name;
    std::vector<int> failures;  // per step of three: how often it fails before succeeding
    std::vector<Answer> answers;
    bool withCleanUp;
    std::string trace;
    ProcedureOutcome outcome;
  };
  using enum Answer;
  // clang-format off
  const Case cases[] = {
      // An empty clean-up must not be called.
      {"abort without clean-up", {kAlways, 0, 0}, {Abort}, false, "1", ProcedureOutcome::Aborted},
      {"retry that succeeds the second time", {0, 1, 0}, {Retry}, true, "1 2 2 3", ProcedureOutcome::Completed},
      // A box closed without a button must count as neither Retry nor Ignore.
      {"cancel", {kAlways, 0, 0}, {Cancel}, true, "1 clean-up", ProcedureOutcome::Aborted},
      // Ignore goes on to the next step, Abort cleans up.
      {"every failing step and attempt asks on its own", {kAlways, kAlways, 0}, {Ignore, Retry, Abort}, true,
       "1 2 2 clean-up", ProcedureOutcome::Aborted}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScriptedHost host;
    for (const Answer answer : c.answers) host.ExpectBox(answer);
    std::string trace;
    std::vector<std::string> failed;
    std::vector<std::function<void()>> steps;
    for (std::size_t i = 0; i < 3; ++i) {
      const std::string name = std::to_string(i + 1);
      auto remaining = std::make_shared<int>(c.failures[i]);
      steps.push_back([&trace, &failed, name, remaining] {
        trace += (trace.empty() ? "" : " ") + name;
        if (*remaining == 0) return;
        if (*remaining > 0) --*remaining;
        failed.push_back(name + " failure " + std::to_string(failed.size() + 1));
        throw std::runtime_error(failed.back());
      });
    }
    std::function<void()> cleanUp;
    if (c.withCleanUp) cleanUp = [&trace] { trace += " clean-up"; };
    EXPECT_EQ(core::RunSteps(host, {steps[0], steps[1], steps[2]}, cleanUp), c.outcome);
    EXPECT_EQ(trace, c.trace);
    EXPECT_EQ(host.Texts(), failed);
  }
}

}  // namespace
