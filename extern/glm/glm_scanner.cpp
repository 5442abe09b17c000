// The scanner's out-of-line parts: the byte-order mark at the start of a text, and float
// conversion: a quick exact path for the plain decimals that OBJ files hold, a second exact
// path for other decimals of up to 19 significant digits, strtof for everything else.
#include "glm_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace objreader {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;

// Whether a double lies exactly halfway between two floats: converting it to float may then
// round the other way than the decimal it came from. Elsewhere the correctly rounded double
// converts to the correctly rounded float, as long as it is a normal float.
bool halfwayBetweenFloats(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    // A double has 29 more fraction bits than a float; halfway is 1 followed by 28 zeros.
    return (bits & 0x1FFFFFFFu) == 0x10000000u;
}

bool floatRoundsLikeDouble(double value) {
    const double magnitude = std::fabs(value);
    return magnitude >= 0x1p-125 && magnitude <= 0x1p127 && !halfwayBetweenFloats(value);
}

// A plain decimal: a minus sign or none, then 1 to 19 digits with or without a point, and
// neither an exponent nor a hexadecimal prefix after them. Its digits make an exact integer
// and its point a power of ten that a double holds exactly, so one division rounds
// correctly, and the result, 0 or between 1e-19 and 2^53, is a normal float. Returns where it
// ends; null, having set nothing, for any other text and for a double halfway between two
// floats: readOtherFloat decides those.
inline const char* plainDecimal(const char* p, float* out) {
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    const char* const integer = p;
    std::uint64_t mantissa = 0; // wraps past 19 digits, and is then not used
    unsigned digit = 0;
    for (; (digit = static_cast<unsigned char>(*p) - 48u) < 10; ++p) {
        mantissa = mantissa * 10 + digit;
    }
    std::ptrdiff_t digits = p - integer;
    std::ptrdiff_t fraction = 0;
    if (*p == '.') {
        const char* const first = ++p;
        for (; (digit = static_cast<unsigned char>(*p) - 48u) < 10; ++p) {
            mantissa = mantissa * 10 + digit;
        }
        fraction = p - first;
        digits += fraction;
    } else if ((*p | 0x20) == 'x') {
        return nullptr; // maybe hexadecimal
    }
    if ((*p | 0x20) == 'e' || static_cast<std::size_t>(digits - 1) >= 19 ||
        mantissa > (UINT64_C(1) << 53)) {
        return nullptr;
    }
    const double value = static_cast<double>(mantissa) / kExactPowers[fraction];
    if (halfwayBetweenFloats(value)) {
        return nullptr;
    }
    *out = static_cast<float>(negative ? -value : value);
    return p;
}

} // namespace

const char* Scanner::startText() {
    const std::string_view text(pos_, static_cast<std::size_t>(end_ - pos_));
    using namespace std::string_view_literals;
    if (text.starts_with("\xFF\xFE\0\0"sv) || text.starts_with("\0\0\xFE\xFF"sv)) {
        return "UTF-32";
    }
    if (text.starts_with("\xFF\xFE"sv) || text.starts_with("\xFE\xFF"sv)) {
        return "UTF-16";
    }
    if (text.starts_with("\xEF\xBB\xBF"sv)) {
        pos_ += 3;
    }
    return nullptr;
}

int Scanner::readFloats(float* values, int count) {
    int i = 0;
    for (; i < count; i++) {
        skipBlanks();
        const char* const stop = plainDecimal(pos_, &values[i]);
        if (stop != nullptr) {
            pos_ = stop;
        } else if (!readOtherFloat(&values[i])) {
            break;
        }
    }
    return i;
}

bool Scanner::readOtherFloat(float* out) {
    const char* p = pos_;
    const bool negative = p != end_ && *p == '-';
    if (p != end_ && (*p == '-' || *p == '+')) {
        ++p;
    }
    // Significant digits gather in mantissa; leading zeros are skipped, so that only
    // numbers of more than 19 significant digits take the library path.
    const char* integer = p;
    while (p != end_ && *p == '0') {
        ++p;
    }
    std::uint64_t mantissa = 0;
    const char* significant = p;
    for (; isDigit(*p); ++p) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    std::ptrdiff_t digits = p - significant;
    bool anyDigit = p != integer;
    int exponent = 0;
    // "0x" starts a hexadecimal number, which the library reads.
    const bool hexadecimal = p - integer == 1 && *integer == '0' && p != end_ && (*p | 0x20) == 'x';
    if (!hexadecimal && p != end_ && *p == '.') {
        const char* fraction = ++p;
        if (digits == 0) {
            while (p != end_ && *p == '0') {
                ++p;
            }
        }
        const char* fractionDigits = p;
        for (; isDigit(*p); ++p) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        }
        digits += p - fractionDigits;
        exponent = -static_cast<int>(std::min<std::ptrdiff_t>(p - fraction, 100000));
        anyDigit = anyDigit || p != fraction;
    }
    if (anyDigit && !hexadecimal && digits <= 19) {
        if (p != end_ && (*p | 0x20) == 'e') {
            const char* q = p + 1;
            const bool negativeExponent = q != end_ && *q == '-';
            if (q != end_ && (*q == '-' || *q == '+')) {
                ++q;
            }
            int value = 0;
            for (; isDigit(*q); ++q) {
                value = value < 100000 ? value * 10 + (*q - '0') : value;
            }
            // "1e" and "1e+" end before the "e", as in strtof.
            if (isDigit(q[-1])) {
                exponent += negativeExponent ? -value : value;
                p = q;
            }
        }
        if (mantissa == 0) {
            *out = negative ? -0.0f : 0.0f;
            pos_ = p;
            return true;
        }
        if (mantissa <= (UINT64_C(1) << 53) && exponent >= -kMaxExactPower &&
            exponent <= kMaxExactPower) {
            // Both operands are exact, so the one operation rounds correctly.
            double value = static_cast<double>(mantissa);
            value = exponent < 0 ? value / kExactPowers[-exponent] : value * kExactPowers[exponent];
            if (floatRoundsLikeDouble(value)) {
                *out = static_cast<float>(negative ? -value : value);
                pos_ = p;
                return true;
            }
        }
    } else if (!anyDigit && !hexadecimal && p != end_ && (*p | 0x20) != 'i' && (*p | 0x20) != 'n') {
        return false; // neither a number nor an infinity or NaN
    }
    char* stop = nullptr;
    const float value = std::strtof(pos_, &stop);
    if (stop == pos_) {
        return false;
    }
    *out = value;
    pos_ = stop;
    return true;
}

} // namespace objreader
