// The date and time a printout is made, as the user's system writes them.
#pragma once

#include <string>

namespace qtui {

// Now, in the system's short date format followed by its long time format.
std::string PrintDateText();

}  // namespace qtui
