#include "engine/text_finder.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "engine/ascii.h"

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#define SCOURWELL_SSE2 __attribute__((target("sse2")))
#endif

namespace {

// Where SSE2 is not part of the target (the 32-bit build) it is used only once the start-up
// check allows it.
#if defined(__SSE2__)
std::atomic<bool> g_vectorAllowed{true};
#else
std::atomic<bool> g_vectorAllowed{false};
#endif

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

// Text bytes in the form as kept: A-Z folded in byte forms, and in UTF-16 the units 0x41-0x5A.
void Fold(FinderForm& form) {
    for (std::size_t i = 0; i < form.length; i += form.utf16 ? 2 : 1) {
        if (!form.utf16 || form.text[i + 1] == 0) {
            form.text[i] = FoldAscii(form.text[i]);
        }
    }
}

bool Foldable(const FinderForm& form, std::size_t i) {
    const unsigned char c = form.text[i];
    return c >= 'a' && c <= 'z' && (!form.utf16 || (i % 2 == 0 && form.text[i + 1] == 0));
}

int ProbeCost(const FinderForm& form, bool matchCase, std::size_t i) {
    const unsigned char c = form.text[i];
    if (form.utf16 && i % 2 == 1 && c == 0) {
        return 200;  // the high half of an ASCII unit: in every UTF-16 text
    }
    if (!matchCase && Foldable(form, i)) {
        return Commonness(c) + Commonness(static_cast<unsigned char>(c - ('a' - 'A')));
    }
    return Commonness(c);
}

// The byte at i and its other case (or itself again).
void ProbeBytes(const FinderForm& form, bool matchCase, std::size_t i, unsigned char (&out)[2]) {
    out[0] = form.text[i];
    out[1] = !matchCase && Foldable(form, i) ? form.text[i] - ('a' - 'A') : form.text[i];
}

// The first place of the byte pair in form, or its length.
std::size_t PlaceOf(const FinderForm& form, bool matchCase, const unsigned char (&pair)[2]) {
    for (std::size_t i = 0; i < form.length; ++i) {
        unsigned char here[2];
        ProbeBytes(form, matchCase, i, here);
        if (std::memcmp(here, pair, 2) == 0) {
            return i;
        }
    }
    return form.length;
}

// anchor: a byte pair every form holds, which the first probe takes, so that all forms test
// the same byte first; without one the rarest byte.
void ChooseProbes(FinderForm& form, bool matchCase, const unsigned char (*anchor)[2]) {
    auto cost = [&](std::size_t i) { return ProbeCost(form, matchCase, i); };
    const std::size_t length = form.length;
    std::size_t probe1 = anchor != nullptr ? PlaceOf(form, matchCase, *anchor) : 0;
    if (anchor == nullptr) {
        for (std::size_t i = 1; i < length; ++i) {
            if (cost(i) < cost(probe1)) {
                probe1 = i;
            }
        }
    }
    std::size_t probe2 = probe1;
    for (std::size_t i = 0; i < length; ++i) {
        if (form.text[i] != form.text[probe1] && (probe2 == probe1 || cost(i) < cost(probe2))) {
            probe2 = i;
        }
    }
    if (probe2 == probe1 && length > 1) {
        probe2 = probe1 == length - 1 ? 0 : length - 1;  // all bytes alike: probe both ends
    }
    if (form.utf16 && probe1 % 2 == 0 && form.text[probe1 + 1] == 0) {
        probe2 = probe1 + 1;  // an ASCII unit's zero: text files hold none
    }
    form.probe1 = probe1;
    form.probe2 = probe2;
    ProbeBytes(form, matchCase, probe1, form.probe1Bytes);
    ProbeBytes(form, matchCase, probe2, form.probe2Bytes);
}

bool MatchesAt(const FinderForm& form, bool matchCase, const unsigned char* p) {
    if (matchCase) {
        return std::memcmp(p, form.text, form.length) == 0;
    }
    if (form.utf16) {
        for (std::size_t i = 0; i < form.length; i += 2) {
            const unsigned char low = p[i + 1] == 0 ? FoldAscii(p[i]) : p[i];
            if (low != form.text[i] || p[i + 1] != form.text[i + 1]) {
                return false;
            }
        }
        return true;
    }
    for (std::size_t i = 0; i < form.length; ++i) {
        if (FoldAscii(p[i]) != form.text[i]) {
            return false;
        }
    }
    return true;
}

// A UTF-16 form starts only at even file offsets.
bool StartsHere(const FinderForm& form, std::uint64_t offset, std::size_t start) {
    return !form.utf16 || (offset + start) % 2 == 0;
}

// Candidate starts in [0, size - length + 1).
std::size_t Starts(const FinderForm& form, std::size_t size) {
    return size < form.length ? 0 : size - form.length + 1;
}

bool SameFirstProbe(const FinderForm& a, const FinderForm& b) {
    return std::memcmp(a.probe1Bytes, b.probe1Bytes, 2) == 0;
}

// Forms whose first probes take the same byte pair, in one pass: positions are counted in the
// data, where the first probes sit, and the next place of each case of that byte is kept
// until passed.
bool ContainsPortableOf(const FinderForm* forms, std::size_t count, bool matchCase,
                        const unsigned char* data, std::size_t size, std::uint64_t offset) {
    std::size_t from = size;
    std::size_t end = 0;
    for (std::size_t f = 0; f < count; ++f) {
        if (Starts(forms[f], size) > 0) {
            from = std::min(from, forms[f].probe1);
            end = std::max(end, forms[f].probe1 + Starts(forms[f], size));
        }
    }
    auto next = [&](unsigned char b, std::size_t at) {
        const void* hit = at < end ? std::memchr(data + at, b, end - at) : nullptr;
        return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data) : end;
    };
    const unsigned char(&bytes)[2] = forms[0].probe1Bytes;
    std::size_t next0 = next(bytes[0], from);
    std::size_t next1 = bytes[1] != bytes[0] ? next(bytes[1], from) : end;
    for (;;) {
        const std::size_t anchor = std::min(next0, next1);
        if (anchor >= end) {
            return false;
        }
        for (std::size_t f = 0; f < count; ++f) {
            const FinderForm& form = forms[f];
            const std::size_t start = anchor - form.probe1;
            if (anchor < form.probe1 || start >= Starts(form, size)) {
                continue;
            }
            const unsigned char second = data[start + form.probe2];
            if ((second == form.probe2Bytes[0] || second == form.probe2Bytes[1]) &&
                StartsHere(form, offset, start) && MatchesAt(form, matchCase, data + start)) {
                return true;
            }
        }
        if (anchor == next0) {
            next0 = next(bytes[0], anchor + 1);
        } else {
            next1 = next(bytes[1], anchor + 1);
        }
    }
}

#if defined(SCOURWELL_SSE2)

// A probe byte in every lane, and 0x20 where its other case is taken too: OR-ing 0x20 into a
// byte gives the lower-case letter exactly for its two cases.
struct VectorProbe {
    __m128i byte, fold;
};

SCOURWELL_SSE2 VectorProbe MakeProbe(const unsigned char (&bytes)[2]) {
    return {_mm_set1_epi8(static_cast<char>(bytes[0])),
            _mm_set1_epi8(bytes[1] != bytes[0] ? 0x20 : 0)};
}

bool Folds(const FinderForm& form) {
    return form.probe1Bytes[1] != form.probe1Bytes[0] || form.probe2Bytes[1] != form.probe2Bytes[0];
}

// Sixteen lanes from data, 0xFF where the probe's byte is. Without Fold no probe has two cases.
template <bool Fold>
SCOURWELL_SSE2 inline __m128i Probe(const VectorProbe& probe, const unsigned char* data) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    return _mm_cmpeq_epi8(Fold ? _mm_or_si128(v, probe.fold) : v, probe.byte);
}

SCOURWELL_SSE2 inline bool AnyMatches(const FinderForm& form, bool matchCase, __m128i lanes,
                                      const unsigned char* data, std::size_t start,
                                      std::uint64_t offset) {
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(lanes));
    while (mask != 0) {
        const std::size_t at = start + static_cast<std::size_t>(__builtin_ctz(mask));
        if (StartsHere(form, offset, at) && MatchesAt(form, matchCase, data + at)) {
            return true;
        }
        mask &= mask - 1;
    }
    return false;
}

// The starts [from, to) of one form, sixteen at a time while they last. Every load stays
// inside the data because the probes lie inside the form and each start fits the whole form.
SCOURWELL_SSE2 bool RangeHolds(const FinderForm& form, bool matchCase, const unsigned char* data,
                               std::size_t from, std::size_t to, std::uint64_t offset) {
    const VectorProbe first = MakeProbe(form.probe1Bytes);
    const VectorProbe second = MakeProbe(form.probe2Bytes);
    std::size_t at = from;
    for (; at + 16 <= to; at += 16) {
        const __m128i lanes = _mm_and_si128(Probe<true>(first, data + at + form.probe1),
                                            Probe<true>(second, data + at + form.probe2));
        if (AnyMatches(form, matchCase, lanes, data, at, offset)) {
            return true;
        }
    }
    for (; at < to; ++at) {
        if (StartsHere(form, offset, at) && MatchesAt(form, matchCase, data + at)) {
            return true;
        }
    }
    return false;
}

// All forms go through the data together, counted by where their first probes sit: each block
// is loaded once, the first probe's byte, common to all forms, is tested once, and one test per
// two blocks tells whether any form needs a closer look. The starts outside that run go form by
// form.
template <std::size_t N, bool Fold>
SCOURWELL_SSE2 bool ContainsVectorOf(const FinderForm* forms, bool matchCase,
                                     const unsigned char* data, std::size_t size,
                                     std::uint64_t offset) {
    std::size_t first = 0;  // the probes' first and end positions every form can take
    std::size_t end = size;
    bool shared = true;
    VectorProbe seconds[N];
    std::size_t distance[N];
    for (std::size_t f = 0; f < N; ++f) {
        first = std::max(first, forms[f].probe1);
        end = std::min(end, forms[f].probe1 + Starts(forms[f], size));
        shared = shared && SameFirstProbe(forms[f], forms[0]);
        seconds[f] = MakeProbe(forms[f].probe2Bytes);
        distance[f] = forms[f].probe2 - forms[f].probe1;  // may wrap: only added back
    }
    std::size_t anchor = first;
    if (shared) {
        const VectorProbe probe = MakeProbe(forms[0].probe1Bytes);
        for (; anchor + 32 <= end; anchor += 32) {
            __m128i any = _mm_setzero_si128();
            for (std::size_t b = 0; b < 32; b += 16) {
                __m128i others = _mm_setzero_si128();
                for (std::size_t f = 0; f < N; ++f) {
                    others = _mm_or_si128(
                        others, Probe<Fold>(seconds[f], data + (anchor + b + distance[f])));
                }
                any =
                    _mm_or_si128(any, _mm_and_si128(Probe<Fold>(probe, data + anchor + b), others));
            }
            if (__builtin_expect(_mm_movemask_epi8(any) != 0, 0)) {
                for (std::size_t b = anchor; b < anchor + 32; b += 16) {
                    for (std::size_t f = 0; f < N; ++f) {
                        const __m128i lanes =
                            _mm_and_si128(Probe<Fold>(probe, data + b),
                                          Probe<Fold>(seconds[f], data + (b + distance[f])));
                        if (AnyMatches(forms[f], matchCase, lanes, data, b - forms[f].probe1,
                                       offset)) {
                            return true;
                        }
                    }
                }
            }
        }
    }
    for (std::size_t f = 0; f < N; ++f) {
        const std::size_t starts = Starts(forms[f], size);
        const std::size_t before = std::min(first - forms[f].probe1, starts);
        const std::size_t after = std::max(anchor - forms[f].probe1, before);
        if (RangeHolds(forms[f], matchCase, data, 0, before, offset) ||
            RangeHolds(forms[f], matchCase, data, after, starts, offset)) {
            return true;
        }
    }
    return false;
}

template <std::size_t N>
SCOURWELL_SSE2 bool ContainsVectorOf(const std::vector<FinderForm>& forms, bool matchCase,
                                     const unsigned char* data, std::size_t size,
                                     std::uint64_t offset) {
    return std::any_of(forms.begin(), forms.end(), Folds)
               ? ContainsVectorOf<N, true>(forms.data(), matchCase, data, size, offset)
               : ContainsVectorOf<N, false>(forms.data(), matchCase, data, size, offset);
}

#endif

}  // namespace

TextFinder::TextFinder(const std::vector<SearchForm>& forms, bool matchCase)
    : matchCase_(matchCase) {
    for (const SearchForm& given : forms) {
        FinderForm form{};
        form.length = std::min(given.bytes.size(), kMaxFormLength);
        form.utf16 = given.utf16;
        std::memcpy(form.text, given.bytes.data(), form.length);
        if (!matchCase) {
            Fold(form);
        }
        forms_.push_back(form);
        shortest_ = forms_.size() == 1 ? form.length : std::min(shortest_, form.length);
        longest_ = std::max(longest_, form.length);
    }
    // The rarest byte pair of the first form that every form holds; a pair is its byte and
    // whether the other case counts.
    std::vector<int> holders(512, 0);
    for (const FinderForm& form : forms_) {
        std::vector<bool> held(512, false);
        for (std::size_t i = 0; i < form.length; ++i) {
            held[form.text[i] * 2 + (!matchCase && Foldable(form, i))] = true;
        }
        for (std::size_t pair = 0; pair < 512; ++pair) {
            holders[pair] += held[pair];
        }
    }
    unsigned char anchor[2] = {};
    int anchorCost = -1;
    for (std::size_t i = 0; !forms_.empty() && i < forms_[0].length; ++i) {
        const int cost = ProbeCost(forms_[0], matchCase, i);
        const std::size_t pair = forms_[0].text[i] * 2 + (!matchCase && Foldable(forms_[0], i));
        if (holders[pair] == static_cast<int>(forms_.size()) &&
            (anchorCost < 0 || cost < anchorCost)) {
            ProbeBytes(forms_[0], matchCase, i, anchor);
            anchorCost = cost;
        }
    }
    for (FinderForm& form : forms_) {
        ChooseProbes(form, matchCase, anchorCost < 0 ? nullptr : &anchor);
    }
}

bool TextFinder::Contains(const unsigned char* data, std::size_t size, std::uint64_t offset) const {
    return HasVectorPath() ? ContainsVector(data, size, offset)
                           : ContainsPortable(data, size, offset);
}

bool TextFinder::ContainsPortable(const unsigned char* data, std::size_t size,
                                  std::uint64_t offset) const {
    const auto shared = [&](const FinderForm& form) { return SameFirstProbe(form, forms_[0]); };
    if (!forms_.empty() && std::all_of(forms_.begin(), forms_.end(), shared)) {
        return ContainsPortableOf(forms_.data(), forms_.size(), matchCase_, data, size, offset);
    }
    return std::any_of(forms_.begin(), forms_.end(), [&](const FinderForm& form) {
        return ContainsPortableOf(&form, 1, matchCase_, data, size, offset);
    });
}

void TextFinder::AllowVectorPath(bool allowed) {
#if defined(SCOURWELL_SSE2)
    g_vectorAllowed.store(allowed, std::memory_order_relaxed);
#else
    (void)allowed;
#endif
}

#if defined(SCOURWELL_SSE2)

bool TextFinder::HasVectorPath() {
    return g_vectorAllowed.load(std::memory_order_relaxed);
}

bool TextFinder::ContainsVector(const unsigned char* data, std::size_t size,
                                std::uint64_t offset) const {
    switch (forms_.size()) {
        case 1:
            return ContainsVectorOf<1>(forms_, matchCase_, data, size, offset);
        case 2:
            return ContainsVectorOf<2>(forms_, matchCase_, data, size, offset);
        case 3:
            return ContainsVectorOf<3>(forms_, matchCase_, data, size, offset);
        default:
            return ContainsPortable(data, size, offset);
    }
}

#else

bool TextFinder::HasVectorPath() {
    return false;
}

// Without SSE2 there is only the portable way.
bool TextFinder::ContainsVector(const unsigned char* data, std::size_t size,
                                std::uint64_t offset) const {
    return ContainsPortable(data, size, offset);
}

#endif
