// The reader's scanner: numbers convert like strtof and stop where it stops; lines are read
// whole, continued after a backslash, and counted.
#include "glm_scanner.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The first blank-separated word of text.
std::string firstWord(const char* text) {
    while (*text != '\0' && std::isspace(static_cast<unsigned char>(*text))) {
        text++;
    }
    const char* end = text;
    while (*end != '\0' && !std::isspace(static_cast<unsigned char>(*end))) {
        end++;
    }
    return std::string(text, end);
}

// Converts text with the scanner and with strtof; both value bits and the rest must agree.
// The scanner reads lead first, blanks that strtof does not see.
void expectLikeStrtof(const std::string& text, const std::string& lead = "") {
    const std::string scanned = lead + text;
    objreader::Scanner scanner(scanned.c_str(), scanned.c_str() + scanned.size(), 1);
    float ours = 0.0f;
    const bool converted = scanner.readFloat(&ours);
    char* stop = nullptr;
    const float theirs = std::strtof(text.c_str(), &stop);
    ASSERT_EQ(converted, stop != text.c_str()) << text;
    EXPECT_EQ(scanner.word(), firstWord(converted ? stop : text.c_str())) << text;
    if (converted) {
        EXPECT_EQ(std::memcmp(&ours, &theirs, sizeof ours), 0)
            << text << ": " << ours << " against " << theirs;
    }
}

TEST(ScannerFloats, TrickyTextsConvertLikeStrtof) {
    // Signs, missing digits and partial exponents; what strtof reads beyond plain decimals;
    // range limits and subnormals; more digits than 64 bits hold; neighbours of float
    // midpoints whose nearest double is the midpoint itself; and numbers inside faces.
    const std::vector<std::string> texts = {
        "0 -0 +0.0 1 -2.5 .5 5. 1e3 1E-3 1e 1e+ 1e-x -.e1 . - + x e5",
        "inf -Infinity nan NaN(1) 0x1p3 0X.8 0x 00012.5000",
        "3.4028235e38 3.5e38 1e-45 1.4e-45 1e-46 1.17549435e-38 1e99999 1e-99999 1e22 1e23",
        "123456789012345678901234567890 0.000000000000000000000000000001234 16777217",
        "1.000000059604644775 1.000000059604644776 16777217.000000000001 9007199254740993",
        "58.17537498474121 -57.99404335021973 6588769912719727e-14 1.58718603849411",
        "1.5/2 7//8 0.1234567 -12.345678"};
    for (const std::string& line : texts) {
        std::istringstream words(line);
        for (std::string text; words >> text;) {
            expectLikeStrtof(text);
            expectLikeStrtof(text + " rest", " \t\\\r\n "); // a continued line
        }
    }
}

TEST(ScannerFloats, RandomDecimalsConvertLikeStrtof) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> digits(1, 21);
    std::uniform_int_distribution<int> exponent(-50, 50);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 100000; i++) {
        std::string text = i % 2 == 0 ? "-" : "";
        const int count = digits(random);
        const int point = std::uniform_int_distribution<int>(0, count)(random);
        for (int d = 0; d < count; d++) {
            text += d == point ? "." : "";
            text += static_cast<char>('0' + digit(random));
        }
        if (i % 3 == 0) {
            text += "e" + std::to_string(exponent(random));
        }
        expectLikeStrtof(text);
    }
    // Decimals a hair either side of the midpoints between neighbouring floats.
    std::uniform_real_distribution<float> value(-1e6f, 1e6f);
    for (int i = 0; i < 20000; i++) {
        const float low = value(random);
        const double midpoint = (double(low) + std::nextafter(low, 2e6f)) / 2;
        char text[64];
        for (const double nudge : {-1e-16, 0.0, 1e-16}) {
            std::snprintf(text, sizeof text, "%.18g", midpoint * (1 + nudge));
            expectLikeStrtof(text);
        }
    }
}

TEST(ScannerLines, LinesAreWholeContinuedAndCounted) {
    // Line ends of three kinds; a continuation before each; a comment's backslash continues
    // nothing.
    const std::string text = "\xEF\xBB\xBF" // a UTF-8 byte-order mark, skipped
                             "first " +
                             std::string(200, 'a') +
                             " \\\r\nsame line\r\n"
                             "\r  # note \\\n"
                             "next \\\rmore\rlast \\\n";
    objreader::Scanner scanner(text.c_str(), text.c_str() + text.size(), 1);
    EXPECT_EQ(scanner.startText(), nullptr);
    EXPECT_EQ(scanner.word(), "first");
    EXPECT_EQ(scanner.word(), std::string(200, 'a'));
    EXPECT_EQ(scanner.word(), "same");
    EXPECT_EQ(scanner.line(), 2u);
    EXPECT_EQ(scanner.rest(), "line");
    scanner.endLine();
    EXPECT_EQ(scanner.word(), ""); // a lone carriage return ends an empty line
    scanner.endLine();
    EXPECT_EQ(scanner.word(), "#");
    EXPECT_EQ(scanner.line(), 4u);
    scanner.endPhysicalLine();
    EXPECT_EQ(scanner.word(), "next");
    EXPECT_EQ(scanner.word(), "more");
    EXPECT_EQ(scanner.line(), 6u);
    scanner.endLine();
    EXPECT_EQ(scanner.word(), "last");
    scanner.endLine(); // a continuation at the end of the text continues nothing
    EXPECT_TRUE(scanner.atEnd());
    EXPECT_EQ(scanner.line(), 8u);
}

TEST(ScannerLines, WideByteOrderMarksAreReported) {
    const std::pair<std::string, const char*> cases[] = {
        {"\xFF\xFEv\0", "UTF-16"},
        {"\xFE\xFF\0v", "UTF-16"},
        {std::string("\xFF\xFE\0\0", 4), "UTF-32"},
        {std::string("\0\0\xFE\xFF", 4), "UTF-32"}};
    for (const auto& [text, encoding] : cases) {
        objreader::Scanner scanner(text.c_str(), text.c_str() + text.size(), 1);
        EXPECT_STREQ(scanner.startText(), encoding) << text;
    }
}

} // namespace
