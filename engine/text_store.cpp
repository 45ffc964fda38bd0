#include "engine/text_store.h"

#include <cstring>

TextStore::Ref TextStore::Add(std::string_view text) {
    const std::size_t needed = text.size() + 1;
    if (needed > kOffsetMask + 1) {
        throw std::bad_alloc();  // longer than any name or path the system has
    }
    if (used_ + needed > kOffsetMask + 1) {
        CheckAllocation();
        Chunk chunk;
        chunk.bytes = new char[kOffsetMask + 1];
        try {
            chunks_.push_back(chunk);
        } catch (...) {
            delete[] chunk.bytes;
            throw;
        }
        used_ = 0;
    }
    Chunk& last = chunks_[chunks_.size() - 1];
    std::memcpy(last.bytes + used_, text.data(), text.size());
    last.bytes[used_ + text.size()] = '\0';
    const Ref ref = static_cast<Ref>(((chunks_.size() - 1) << kOffsetBits) | used_);
    used_ += static_cast<std::uint32_t>(needed);
    return ref;
}

void TextStore::clear() {
    for (std::size_t i = 0; i < chunks_.size(); ++i) {
        delete[] chunks_[i].bytes;
    }
    chunks_.clear();
    used_ = kOffsetMask + 1;
}
