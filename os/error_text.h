// The system's own words for the error of a failed call, for the boxes that report it.
// Windows builds only.
#pragma once

#include <string>

namespace os {

// The message for the error the last failed call left on this thread (GetLastError), in
// UTF-8, without a trailing line break.
std::string LastErrorText();
// The same for a given error code.
std::string ErrorText(unsigned long code);

}  // namespace os
