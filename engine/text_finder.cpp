#include "engine/text_finder.h"

#include <cstring>

#include "engine/ascii.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Rough commonness of a byte in source, text and binary files; lower is rarer.
int Commonness(unsigned char c) {
    static const char kByFrequency[] = " etaoinsrhldcumfpgwybvkxjqz\n\t0_1(),;.=*/2-:\"";
    if (c == 0 || c == 0xFF) {
        return 90;  // padding in binary files
    }
    const char* at =
        static_cast<const char*>(std::memchr(kByFrequency, c, sizeof kByFrequency - 1));
    if (at != nullptr) {
        return 100 - static_cast<int>(at - kByFrequency);
    }
    if (c >= 'A' && c <= 'Z') {
        return Commonness(static_cast<unsigned char>(c + ('a' - 'A'))) / 3;
    }
    if (c >= '3' && c <= '9') {
        return 40;
    }
    return c < 0x80 ? 20 : 10;
}

int CommonnessFolded(unsigned char folded) {
    if (folded >= 'a' && folded <= 'z') {
        return Commonness(folded) + Commonness(static_cast<unsigned char>(folded - ('a' - 'A')));
    }
    return Commonness(folded);
}

unsigned char OtherCase(unsigned char folded, bool matchCase) {
    if (!matchCase && folded >= 'a' && folded <= 'z') {
        return static_cast<unsigned char>(folded - ('a' - 'A'));
    }
    return folded;
}

}  // namespace

TextFinder::TextFinder(const char* text, std::size_t length, bool matchCase)
    : length_(length < kTextBufferSize ? length : kTextBufferSize - 1), matchCase_(matchCase) {
    for (std::size_t i = 0; i < length_; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        text_[i] = matchCase_ ? c : FoldAscii(c);
    }
    auto cost = [this](std::size_t i) {
        return matchCase_ ? Commonness(text_[i]) : CommonnessFolded(text_[i]);
    };
    for (std::size_t i = 1; i < length_; ++i) {
        if (cost(i) < cost(probe1_)) {
            probe1_ = i;
        }
    }
    probe2_ = probe1_;
    for (std::size_t i = 0; i < length_; ++i) {
        if (text_[i] == text_[probe1_]) {
            continue;
        }
        if (probe2_ == probe1_ || cost(i) < cost(probe2_)) {
            probe2_ = i;
        }
    }
    if (probe2_ == probe1_ && length_ > 1) {
        probe2_ = probe1_ == length_ - 1 ? 0 : length_ - 1;  // all bytes alike: probe both ends
    }
    probe1Bytes_[0] = text_[probe1_];
    probe1Bytes_[1] = OtherCase(text_[probe1_], matchCase_);
    probe2Bytes_[0] = text_[probe2_];
    probe2Bytes_[1] = OtherCase(text_[probe2_], matchCase_);
}

bool TextFinder::MatchesAt(const unsigned char* p) const {
    if (matchCase_) {
        return std::memcmp(p, text_, length_) == 0;
    }
    for (std::size_t i = 0; i < length_; ++i) {
        if (FoldAscii(p[i]) != text_[i]) {
            return false;
        }
    }
    return true;
}

std::size_t TextFinder::Find(const unsigned char* data, std::size_t size) const {
    return HasVectorPath() ? FindVector(data, size) : FindPortable(data, size);
}

std::size_t TextFinder::FindPortable(const unsigned char* data, std::size_t size) const {
    if (size < length_) {
        return kNotFound;
    }
    // Positions are counted in candidate starts; the rarest byte of the text sits probe1_
    // bytes after each. The next place of each case of that byte is kept until passed.
    const unsigned char* probes = data + probe1_;
    const std::size_t starts = size - length_ + 1;
    auto next = [&](unsigned char b, std::size_t from) {
        const void* hit = std::memchr(probes + from, b, starts - from);
        return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - probes)
                   : starts;
    };
    const bool twoCases = probe1Bytes_[1] != probe1Bytes_[0];
    std::size_t next0 = next(probe1Bytes_[0], 0);
    std::size_t next1 = twoCases ? next(probe1Bytes_[1], 0) : starts;
    for (;;) {
        const std::size_t start = next0 < next1 ? next0 : next1;
        if (start >= starts) {
            return kNotFound;
        }
        if (MatchesAt(data + start)) {
            return start;
        }
        if (start == next0) {
            next0 = start + 1 < starts ? next(probe1Bytes_[0], start + 1) : starts;
        } else {
            next1 = start + 1 < starts ? next(probe1Bytes_[1], start + 1) : starts;
        }
    }
}

#if defined(__SSE2__)

bool TextFinder::HasVectorPath() {
    return true;
}

std::size_t TextFinder::FindVector(const unsigned char* data, std::size_t size) const {
    if (size < length_) {
        return kNotFound;
    }
    const std::size_t lastStart = size - length_;
    const __m128i a0 = _mm_set1_epi8(static_cast<char>(probe1Bytes_[0]));
    const __m128i a1 = _mm_set1_epi8(static_cast<char>(probe1Bytes_[1]));
    const __m128i c0 = _mm_set1_epi8(static_cast<char>(probe2Bytes_[0]));
    const __m128i c1 = _mm_set1_epi8(static_cast<char>(probe2Bytes_[1]));
    std::size_t start = 0;
    // Sixteen candidate starts at a time; every load stays inside the data because the
    // probes lie inside the text and the last candidate still fits the whole text.
    for (; start + 16 <= lastStart + 1; start += 16) {
        const __m128i v1 =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + start + probe1_));
        const __m128i v2 =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + start + probe2_));
        const __m128i hit1 = _mm_or_si128(_mm_cmpeq_epi8(v1, a0), _mm_cmpeq_epi8(v1, a1));
        const __m128i hit2 = _mm_or_si128(_mm_cmpeq_epi8(v2, c0), _mm_cmpeq_epi8(v2, c1));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(hit1, hit2)));
        while (mask != 0) {
            const std::size_t at = start + static_cast<std::size_t>(__builtin_ctz(mask));
            if (MatchesAt(data + at)) {
                return at;
            }
            mask &= mask - 1;
        }
    }
    for (; start <= lastStart; ++start) {
        if (MatchesAt(data + start)) {
            return start;
        }
    }
    return kNotFound;
}

#else

bool TextFinder::HasVectorPath() {
    return false;
}

// Without SSE2 there is only the portable way.
std::size_t TextFinder::FindVector(const unsigned char* data, std::size_t size) const {
    return FindPortable(data, size);
}

#endif
