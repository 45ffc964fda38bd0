// Writes a whole file so that it is never seen half written: into a new file beside it, then
// renamed over it in one step. A failure leaves nothing behind, and the file it would have
// replaced keeps its bytes. Windows builds only.
#pragma once

#include <string>

namespace os {

// False on failure, with the system's message in error.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace os
