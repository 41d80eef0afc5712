#include "core/error_prompt.h"

#include "core/failure.h"

namespace core {

namespace {

bool Retryable(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const Error& e) {
    return e.failure().retryable;
  } catch (...) {
    return true;
  }
}

}  // namespace

std::string DescribeFailure(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const Error& e) {
    return e.failure().description;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown failure.";
  }
}

StepOutcome GuardedStep(Host& host, const std::function<void()>& step) {
  for (;;) {
    std::exception_ptr failure;
    try {
      step();
      return StepOutcome::Done;
    } catch (...) {
      failure = std::current_exception();
    }
    const Answer answer = host.MsgBox(
        DescribeFailure(failure), kErrorPromptTitle,
        Retryable(failure) ? Buttons::AbortRetryIgnore : Buttons::AbortIgnore, Icon::Critical);
    if (answer == Answer::Ignore) return StepOutcome::Ignored;
    if (answer != Answer::Retry) return StepOutcome::Aborted;
  }
}

ProcedureOutcome RunSteps(Host& host, std::initializer_list<std::function<void()>> steps,
                          const std::function<void()>& cleanUp) {
  for (const auto& step : steps) {
    if (GuardedStep(host, step) == StepOutcome::Aborted) {
      if (cleanUp) cleanUp();
      return ProcedureOutcome::Aborted;
    }
  }
  return ProcedureOutcome::Completed;
}

}  // namespace core
