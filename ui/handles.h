// Owning wrappers for the window side's handles: the worker thread's, registry keys, global
// memory, an open clipboard and a drop. Each is move-only or pinned, and releases what it holds
// once.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <utility>

// A kernel handle that CloseHandle releases (the worker thread's). The empty value is
// INVALID_HANDLE_VALUE, as the close protocol expects.
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

// An open registry key.
class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return key_; }
    HKEY* Receive() { return &key_; }  // for the call that opens it; only while empty

  private:
    HKEY key_ = nullptr;
};

// A block from GlobalAlloc, freed unless handed on (to the clipboard, which then owns it).
class GlobalMemory {
  public:
    explicit GlobalMemory(SIZE_T bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~GlobalMemory() {
        if (memory_ != nullptr) {
            GlobalFree(memory_);
        }
    }
    GlobalMemory(GlobalMemory&& other) noexcept : memory_(other.Release()) {}
    GlobalMemory& operator=(GlobalMemory&&) = delete;
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL Get() const { return memory_; }
    HGLOBAL Release() { return std::exchange(memory_, nullptr); }

  private:
    HGLOBAL memory_;
};

// The clipboard, open for this window while this lives; Opened() tells whether it could be
// opened (another program may hold it).
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner) : opened_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (opened_) {
            CloseClipboard();
        }
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool Opened() const { return opened_; }

  private:
    bool opened_;
};

// The names of a drop on the window, finished (and freed) when done with, however it went.
class DroppedFiles {
  public:
    explicit DroppedFiles(HDROP drop) : drop_(drop) {}
    ~DroppedFiles() { DragFinish(drop_); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    HDROP Get() const { return drop_; }

  private:
    HDROP drop_;
};
