#include "os/error_text.h"

#include <cerrno>
#include <cstring>

namespace os {

std::string LastErrorText() {
    return ErrorText(static_cast<unsigned long>(errno));
}

std::string ErrorText(unsigned long code) {
    return std::strerror(static_cast<int>(code));
}

}  // namespace os
