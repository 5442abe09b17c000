// What each byte of the text is to the reader, and searching a line 16 bytes at a time: where
// a line ends, and how many words a face line holds. Each search gives what a byte-by-byte
// loop over the same text gives; the last bytes before the end of the text, fewer than 16, go
// byte by byte, so no search reads past the end.
#pragma once

#include <array>
#include <bit>
#include <cstddef>

#if defined(__SSE2__)
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

#if defined(__SSE2__)
namespace simd {

inline __m128i load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline __m128i equal(__m128i bytes, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

// The bytes from low to high, as unsigned values.
inline __m128i within(__m128i bytes, char low, char high) {
    const __m128i offset = _mm_sub_epi8(bytes, _mm_set1_epi8(low));
    return _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(static_cast<char>(high - low))),
                          offset);
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
#if defined(__SSE2__)
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

// Counts the words of a face line from p, right after its keyword, up to its line break (or
// the end of the text) into *count and returns where the line ends; null when the line holds
// a byte other than those of plain indices (digits, '/', '-') and the blanks ' ', '\t', '\r'.
// Such a line's words all begin like a face vertex, so each one is a vertex.
inline const char* countFaceWords(const char* p, const char* end, std::size_t* count) {
    std::size_t words = 0;
    bool afterBlank = false; // whether the byte before p is a blank; p is one
#if defined(__SSE2__)
    // Word starts, a blank's next byte that is none, add up in the vector's two halves (as 255
    // each) until the 16 bytes that hold the line break.
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    __m128i previousBlanks = zero;
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = simd::load(p);
        const __m128i lineBreaks = simd::equal(bytes, '\n');
        const __m128i blanks =
            _mm_or_si128(_mm_or_si128(simd::equal(bytes, ' '), simd::equal(bytes, '\t')),
                         simd::equal(bytes, '\r'));
        const __m128i read =
            _mm_or_si128(_mm_or_si128(blanks, lineBreaks),
                         _mm_or_si128(simd::within(bytes, '/', '9'), simd::equal(bytes, '-')));
        const __m128i starts = _mm_andnot_si128(
            blanks, _mm_or_si128(_mm_slli_si128(blanks, 1), _mm_srli_si128(previousBlanks, 15)));
        const unsigned breakBits = simd::bits(lineBreaks);
        const unsigned inLine = breakBits != 0 ? (breakBits & (0u - breakBits)) - 1 : 0xFFFFu;
        if ((~simd::bits(read) & inLine) != 0) {
            return nullptr;
        }
        if (breakBits != 0) {
            const __m128i total = _mm_add_epi64(sums, _mm_srli_si128(sums, 8));
            *count = static_cast<std::size_t>(_mm_cvtsi128_si64(total)) / 255 +
                     bitCount16(simd::bits(starts) & inLine);
            return p + std::countr_zero(breakBits);
        }
        sums = _mm_add_epi64(sums, _mm_sad_epu8(starts, zero));
        previousBlanks = blanks;
    }
    const __m128i total = _mm_add_epi64(sums, _mm_srli_si128(sums, 8));
    words = static_cast<std::size_t>(_mm_cvtsi128_si64(total)) / 255;
    afterBlank = (simd::bits(previousBlanks) & 0x8000u) != 0;
#endif
    for (; p != end && *p != '\n'; ++p) {
        const char c = *p;
        const bool blank = c == ' ' || c == '\t' || c == '\r';
        if (!blank && !isDigit(c) && c != '/' && c != '-') {
            return nullptr;
        }
        words += !blank && afterBlank ? 1 : 0;
        afterBlank = blank;
    }
    *count = words;
    return p;
}

} // namespace objreader
