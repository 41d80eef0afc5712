// Failures the system raises itself: a number, the area they come from, and the
// description that the error prompt shows.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace core {

// The platform's object-error base plus 1000 and plus 1001.
inline constexpr std::uint32_t kObjectErrorBase = 0x80040000;
inline constexpr std::uint32_t kErrCommOrFileOpen = kObjectErrorBase + 1000;
inline constexpr std::uint32_t kErrFileSave = kObjectErrorBase + 1001;

inline constexpr const char* kSourceCommError = "Comm Error";
inline constexpr const char* kSourceFileOpen = "File Open";
inline constexpr const char* kSourceFileSave = "File Save";

struct Failure {
  std::uint32_t number = 0;
  std::string source;
  std::string description;
  // False when running the failed step again could do harm; the prompt then offers no Retry.
  bool retryable = true;
};

// Thrown by a procedure step; the error prompt catches it and shows the description.
class Error : public std::runtime_error {
 public:
  explicit Error(Failure failure)
      : std::runtime_error(failure.description), failure_(std::move(failure)) {}
  Error(std::uint32_t number, std::string source, std::string description)
      : Error(Failure{number, std::move(source), std::move(description)}) {}

  const Failure& failure() const { return failure_; }

 private:
  Failure failure_;
};

}  // namespace core
