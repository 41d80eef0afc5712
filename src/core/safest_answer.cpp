#include "core/safest_answer.h"

namespace core {

Answer SafestAnswer(Buttons offered) {
  switch (offered) {
    case Buttons::OK:
      return Answer::OK;
    case Buttons::AbortRetryIgnore:
    case Buttons::AbortIgnore:
      return Answer::Abort;
    case Buttons::YesNo:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

}  // namespace core
