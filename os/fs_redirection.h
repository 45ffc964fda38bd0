// File-system redirection of 32-bit programs on 64-bit Windows, switched off around a walk
// so the walk sees folders as they are on disk. Elsewhere there is nothing to switch.
#pragma once

namespace os {

class FsRedirection {
  public:
    // Looks the two system entry points up; either may be missing.
    FsRedirection();

    // Runs walk with redirection off for the calling thread where the system offers it.
    template <typename Walk>
    void WithRedirectionOff(Walk&& walk) {
        void* saved = nullptr;
        if (disable_ != nullptr && revert_ != nullptr) {
            Disable(&saved);
            walk();
            if (saved != nullptr) {
                Revert(saved);
            }
        } else {
            walk();
        }
    }

  private:
    void Disable(void** saved);
    void Revert(void* saved);

    void* disable_ = nullptr;
    void* revert_ = nullptr;
};

}  // namespace os
