// The system's own words for the error of a failed call, for the boxes that report it.
#pragma once

#include <string>

namespace os {

// The message for the error the last failed system call left on this thread (GetLastError on
// Windows, errno elsewhere), in UTF-8, without a trailing line break.
std::string LastErrorText();
// The same for a given error code of the platform.
std::string ErrorText(unsigned long code);

}  // namespace os
