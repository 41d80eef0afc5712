// The common error prompt: a failing step shows the critical box "Error" with the
// failure's description and Abort / Retry / Ignore.
#pragma once

#include <exception>
#include <functional>
#include <initializer_list>
#include <string>

#include "core/host.h"

namespace core {

inline constexpr const char* kErrorPromptTitle = "Error";

enum class StepOutcome { Done, Ignored, Aborted };

// Runs one step; on failure asks the user. Retry runs the step again, Ignore returns
// Ignored (the caller goes on with the next step), Abort returns Aborted (the caller
// runs its clean-up and leaves).
StepOutcome GuardedStep(Host& host, const std::function<void()>& step);

enum class ProcedureOutcome { Completed, Aborted };

// Runs steps in order through GuardedStep; on Abort runs the clean-up and stops.
ProcedureOutcome RunSteps(Host& host, std::initializer_list<std::function<void()>> steps,
                          const std::function<void()>& cleanUp = {});

// The description of whatever a step threw, as the prompt shows it.
std::string DescribeFailure(const std::exception_ptr& failure);

}  // namespace core
