// Owning wrapper for an image list the program made itself (never one of the system's, which
// the shell keeps). Move-only; ImageList_Destroy releases it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

class OwnedImageList {
  public:
    OwnedImageList() = default;
    explicit OwnedImageList(HIMAGELIST list) : list_(list) {}
    ~OwnedImageList() { Reset(); }
    OwnedImageList(OwnedImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    OwnedImageList& operator=(OwnedImageList&& other) noexcept {
        if (this != &other) {
            Reset();
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }
    OwnedImageList(const OwnedImageList&) = delete;
    OwnedImageList& operator=(const OwnedImageList&) = delete;

    HIMAGELIST Get() const { return list_; }
    void Reset() {
        if (list_ != nullptr) {
            ImageList_Destroy(list_);
            list_ = nullptr;
        }
    }

  private:
    HIMAGELIST list_ = nullptr;
};
