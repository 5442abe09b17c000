// What each byte of the text is to the reader, and the searches that run 16 bytes at a time:
// where a line stops, and how many vertices a face line holds. Each search gives what a
// byte-by-byte loop over the same text gives; the last bytes before the end of the text, fewer
// than 16, go byte by byte, so no search reads past the end.
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

} // namespace simd
#endif

// The first byte of [p, end) where a line may stop ('\n', '\r', '\\' or a zero byte), or end.
inline const char* findStop(const char* p, const char* end) {
#if defined(GLM_SEARCH_16)
    for (; end - p >= 16; p += 16) {
        const unsigned found = simd::stops(simd::load(p));
        if (found != 0) {
            return p + std::countr_zero(found);
        }
    }
#endif
    while (p != end && charClass(*p) != kLineBreak && *p != '\\' && *p != '\0') {
        ++p;
    }
    return p;
}

// Counts the vertices of a face line from p, right after its keyword, into *count: the words
// up to the line's stop that begin like an index, up to the first that does not. Returns where
// the count ended: at the line's stop, or at the word that ended the face; null when a
// backslash comes first, which may continue the line: the scanner's word by word count takes
// such a line.
inline const char* countFaceWords(const char* p, const char* end, std::size_t* count) {
    std::size_t words = 0;
    bool afterBlank = true; // the keyword ended with a blank or the line's end
#if defined(GLM_SEARCH_16)
    const __m128i digitBase = _mm_set1_epi8('0');
    const __m128i nine = _mm_set1_epi8(9);
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = simd::load(p);
        const unsigned stop = simd::stops(bytes);
        const unsigned blank = simd::bits(
            _mm_or_si128(_mm_or_si128(simd::equal(bytes, ' '), simd::equal(bytes, '\t')),
                         _mm_or_si128(simd::equal(bytes, '\v'), simd::equal(bytes, '\f'))));
        const __m128i digit = _mm_sub_epi8(bytes, digitBase);
        const unsigned indexStart = simd::bits(_mm_or_si128(
            _mm_cmpeq_epi8(_mm_min_epu8(digit, nine), digit),
            _mm_or_si128(simd::equal(bytes, '-'),
                         _mm_or_si128(simd::equal(bytes, '+'), simd::equal(bytes, '/')))));
        const unsigned word = ~(blank | stop) & 0xFFFFu;
        const unsigned starts = word & ((blank << 1) | (afterBlank ? 1u : 0u));
        // Bytes before the first stop, or all 16.
        const unsigned before = stop != 0 ? (1u << std::countr_zero(stop)) - 1 : 0xFFFFu;
        const unsigned odd = starts & ~indexStart & before;
        if (odd != 0) {
            const unsigned at = static_cast<unsigned>(std::countr_zero(odd));
            *count = words + static_cast<std::size_t>(std::popcount(starts & ((1u << at) - 1)));
            return p + at;
        }
        words += static_cast<std::size_t>(std::popcount(starts & before));
        if (stop != 0) {
            p += std::countr_zero(stop);
            if (*p == '\\') {
                return nullptr;
            }
            *count = words;
            return p;
        }
        afterBlank = (blank >> 15) != 0;
    }
#endif
    for (; p != end; ++p) {
        const CharClass c = charClass(*p);
        if (c == kLineBreak || c == kZeroByte) {
            break;
        }
        if (c == kBackslash) {
            return nullptr;
        }
        if (c == kWordChar && afterBlank) {
            if (!beginsVertex(*p)) {
                break;
            }
            words++;
        }
        afterBlank = c == kBlank;
    }
    *count = words;
    return p;
}

} // namespace objreader
