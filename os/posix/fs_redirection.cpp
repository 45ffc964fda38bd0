#include "os/fs_redirection.h"

namespace os {

// No redirection here: both entry points stay missing.
FsRedirection::FsRedirection() = default;
void FsRedirection::Disable(void**) {}
void FsRedirection::Revert(void*) {}

}  // namespace os
