// A file opened for reading only, read front to back in caller-sized pieces.
// Other programs may still open, write, rename or delete the file while it is held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace os {

class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(ReadOnlyFile&&) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&&) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const;
    // Bytes delivered, 0 at the end of the file, -1 on a read error.
    long Read(void* buffer, std::size_t count);

  private:
    void Close();

    std::intptr_t native_ = -1;  // the platform's handle or descriptor; -1 when not open
};

}  // namespace os
