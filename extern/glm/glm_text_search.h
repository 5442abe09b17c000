// What each byte of the text is to the reader, and the searches that run 32 bytes at a time:
// where a line stops, and how many vertices a face line holds. Each search gives what a
// byte-by-byte loop over the same text gives.
#pragma once

#include <array>
#include <bit>
#include <cstddef>

// 16 bytes at a time where the processor has SSE2 and 64-bit registers; byte by byte elsewhere.
#if defined(__SSE2__) && defined(__x86_64__)
#define GLM_SEARCH_16 1
#include <emmintrin.h>
#endif

namespace objreader {

// The bytes after the zero byte that ends a text which the searches may read: they look at 32
// bytes at a time, and find the end by its zero byte.
constexpr std::size_t kReadAhead = 32;

// What each byte is to the reader; one table look-up per character in the scanner's loops.
enum CharClass : unsigned char {
    kWordChar,  // part of a word
    kBlank,     // ' ', '\t', '\v', '\f'
    kLineBreak, // '\n', '\r' (a lone carriage return ends a line, as old Mac files write)
    kBackslash, // a continuation when a line break follows, else part of a word
    kZeroByte,  // the end of the text; inside it, no text at all
};

inline constexpr std::array<CharClass, 256> kCharClasses = [] {
    std::array<CharClass, 256> classes{};
    for (const unsigned char c : {' ', '\t', '\v', '\f'}) {
        classes[c] = kBlank;
    }
    classes['\n'] = kLineBreak;
    classes['\r'] = kLineBreak;
    classes['\\'] = kBackslash;
    classes[0] = kZeroByte;
    return classes;
}();

inline CharClass charClass(char c) {
    return kCharClasses[static_cast<unsigned char>(c)];
}

inline bool isBlank(char c) {
    return charClass(c) == kBlank;
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A word that begins like an index is a face vertex; any other word ends the face.
inline bool beginsVertex(char c) {
    return isDigit(c) || c == '-' || c == '+' || c == '/';
}

#if defined(GLM_SEARCH_16)
namespace simd {

inline __m128i load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline __m128i equal(__m128i bytes, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

// One bit per byte.
inline unsigned bits(__m128i bytes) {
    return static_cast<unsigned>(_mm_movemask_epi8(bytes));
}

// The bytes where a line may stop: a line break, a backslash or a zero byte.
inline unsigned stops(__m128i bytes) {
    return bits(_mm_or_si128(_mm_or_si128(equal(bytes, '\n'), equal(bytes, '\r')),
                             _mm_or_si128(equal(bytes, '\\'), equal(bytes, '\0'))));
}

// The same for 32 bytes, one bit each.
inline unsigned stops32(const char* p) {
    return stops(load(p)) | (stops(load(p + 16)) << 16);
}

} // namespace simd
#endif

// The first byte from p where a line may stop: '\n', '\r', '\\' or a zero byte, which ends
// every text.
inline const char* findStop(const char* p) {
#if defined(GLM_SEARCH_16)
    for (;; p += 32) {
        const unsigned found = simd::stops32(p);
        if (found != 0) {
            return p + std::countr_zero(found);
        }
    }
#else
    while (charClass(*p) != kLineBreak && *p != '\\' && *p != '\0') {
        ++p;
    }
    return p;
#endif
}

// The bits set in a 16-bit mask, from a table: where the processor's instruction is not
// assumed, std::popcount becomes a library call.
inline unsigned bitCount16(unsigned x) {
    static constexpr std::array<unsigned char, 256> kCounts = [] {
        std::array<unsigned char, 256> counts{};
        for (unsigned i = 1; i < 256; i++) {
            counts[i] = static_cast<unsigned char>(counts[i / 2] + (i & 1));
        }
        return counts;
    }();
    return kCounts[x & 0xFFu] + kCounts[(x >> 8) & 0xFFu];
}

// Counts the vertices of a face line from p, right after its keyword, into *count: the words
// up to the line's end. Returns where the line ends; null for a line that holds anything but
// indices ('+', '-', '/', digits) parted by spaces and tabs: the scanner's word by word count
// takes such a line, which may be continued, or hold a word that ends the face.
inline const char* countFaceWords(const char* p, std::size_t* count) {
    std::size_t words = 0;
    unsigned afterBlank = 1; // the keyword ended with a blank or the line's end
#if defined(GLM_SEARCH_16)
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i ten = _mm_set1_epi8(10);
    // One bit for each of 16 bytes: the blanks, and the bytes that are neither blanks nor
    // index characters.
    const auto classify = [&](const char* at, unsigned* blanks, unsigned* other) {
        const __m128i bytes = simd::load(at);
        // '/' and the digits after it are one range.
        const __m128i fromSlash = _mm_sub_epi8(bytes, slash);
        const __m128i index =
            _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(fromSlash, ten), fromSlash),
                         _mm_or_si128(simd::equal(bytes, '-'), simd::equal(bytes, '+')));
        const __m128i blank = _mm_or_si128(simd::equal(bytes, ' '), simd::equal(bytes, '\t'));
        *blanks = simd::bits(blank);
        *other = ~simd::bits(_mm_or_si128(index, blank)) & 0xFFFFu;
    };
    for (;; p += 32) {
        unsigned blanks = 0, other = 0, blanksHigh = 0, otherHigh = 0;
        classify(p, &blanks, &other);
        classify(p + 16, &blanksHigh, &otherHigh);
        blanks |= blanksHigh << 16;
        other |= otherHigh << 16;
        // The bytes before the first that is neither, or all 32.
        const unsigned before = other != 0 ? (1u << std::countr_zero(other)) - 1 : ~0u;
        const unsigned starts = ~blanks & ((blanks << 1) | afterBlank) & before;
        words += bitCount16(starts & 0xFFFFu) + bitCount16(starts >> 16);
        if (other != 0) {
            p += std::countr_zero(other);
            break;
        }
        afterBlank = blanks >> 31;
    }
#else
    for (;; ++p) {
        const bool blank = *p == ' ' || *p == '\t';
        if (!blank && !beginsVertex(*p)) {
            break;
        }
        words += !blank && afterBlank != 0 ? 1 : 0;
        afterBlank = blank ? 1 : 0;
    }
#endif
    if (charClass(*p) != kLineBreak && *p != '\0') {
        return nullptr;
    }
    *count = words;
    return p;
}

} // namespace objreader
