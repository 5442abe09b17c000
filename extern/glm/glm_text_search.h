// What each byte of the text is to the reader, and searching a line 16 bytes at a time: where
// a line ends, and how many blanks a face line holds. Each search gives what a byte-by-byte
// loop over the same text gives; the last bytes before the end of the text, fewer than 16, go
// byte by byte, so no search reads past the end.
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

// What each byte is to the reader; one table look-up per character in the scanner's loops.
enum CharClass : unsigned char {
    kWordChar,  // part of a word
    kBlank,     // ' ', '\t', '\v', '\f', '\r'
    kLineBreak, // '\n'
    kBackslash, // a continuation when a line break follows
    kZeroByte,  // part of a word, or the end of the text
};

inline constexpr std::array<CharClass, 256> kCharClasses = [] {
    std::array<CharClass, 256> classes{};
    for (const unsigned char c : {' ', '\t', '\v', '\f', '\r'}) {
        classes[c] = kBlank;
    }
    classes['\n'] = kLineBreak;
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

} // namespace simd
#endif

// The first line break or backslash in [p, end), or end. Where it finds no backslash, the
// line break it finds ends the line: only a backslash can continue one.
inline const char* findBreakOrBackslash(const char* p, const char* end) {
#if defined(GLM_SEARCH_16)
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = simd::load(p);
        const unsigned found =
            simd::bits(_mm_or_si128(simd::equal(bytes, '\n'), simd::equal(bytes, '\\')));
        if (found != 0) {
            return p + std::countr_zero(found);
        }
    }
#endif
    while (p != end && *p != '\n' && *p != '\\') {
        ++p;
    }
    return p;
}

// Counts the blanks of a face line from p, right after its keyword, up to its line break (or
// the end of the text) into *count and returns where the line ends; null when the line holds
// a backslash, which may continue it. Every byte up to ' ' counts except the line break and a
// carriage return before it. Each vertex of the face follows a blank, so a face has at most
// as many vertices as blanks, and as many in a plainly written line.
inline const char* countFaceBlanks(const char* p, const char* end, std::size_t* count) {
    std::size_t blanks = 0;
#if defined(GLM_SEARCH_16)
    // The blanks of each 16 bytes add up in the vector's two halves, as 255 each, up to the 16
    // bytes that hold the line break.
    const __m128i zero = _mm_setzero_si128();
    const __m128i space = _mm_set1_epi8(' ');
    __m128i sums = zero;
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = simd::load(p);
        const unsigned stops =
            simd::bits(_mm_or_si128(simd::equal(bytes, '\n'), simd::equal(bytes, '\\')));
        const __m128i blankBytes = _mm_cmpeq_epi8(_mm_min_epu8(bytes, space), bytes);
        if (stops != 0) {
            const unsigned stop = static_cast<unsigned>(std::countr_zero(stops));
            if (p[stop] == '\\') {
                return nullptr;
            }
            blanks = bitCount16(simd::bits(blankBytes) & ((1u << stop) - 1));
            p += stop;
            break;
        }
        sums = _mm_add_epi64(sums, _mm_sad_epu8(blankBytes, zero));
    }
    sums = _mm_add_epi64(sums, _mm_srli_si128(sums, 8));
    blanks += static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) / 255;
#endif
    for (; p != end && *p != '\n'; ++p) {
        if (*p == '\\') {
            return nullptr;
        }
        blanks += static_cast<unsigned char>(*p) <= ' ' ? 1 : 0;
    }
    if (p != end && p[-1] == '\r') {
        blanks--;
    }
    *count = blanks;
    return p;
}

} // namespace objreader
