// Owning wrapper for a kernel handle that CloseHandle releases (the worker thread's).
// Move-only; the empty value is INVALID_HANDLE_VALUE, as the close protocol expects.
#pragma once

#include <windows.h>

#include <utility>

class ThreadHandle {
  public:
    ThreadHandle() = default;
    explicit ThreadHandle(HANDLE handle) : handle_(handle) {}
    ~ThreadHandle() { Close(); }
    ThreadHandle(ThreadHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    ThreadHandle& operator=(ThreadHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    ThreadHandle(const ThreadHandle&) = delete;
    ThreadHandle& operator=(const ThreadHandle&) = delete;

    HANDLE Get() const { return handle_; }

    // True while the thread runs; an invalid handle's query fails and counts as not running.
    bool IsRunning() const {
        DWORD code = 0;
        GetExitCodeThread(handle_, &code);
        return code == STILL_ACTIVE;
    }

    void Close() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) {
            CloseHandle(handle_);
        }
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
