#include "core/text/cp1252.h"

#include <gtest/gtest.h>

using dz::cp1252ToUtf8;
using dz::utf8ToCp1252;

TEST(Cp1252, GermanLettersAndSpecialBytes) {
    EXPECT_EQ(cp1252ToUtf8("W\xFCste Gro\xDF \xC4\xD6\xDC\xE4\xF6"), "Wüste Groß ÄÖÜäö");
    EXPECT_EQ(cp1252ToUtf8("\x80 \x84\x93\x96"), "€ „“–");
    EXPECT_EQ(utf8ToCp1252("Gemäßigter Planet"), "Gem\xE4\xDFigter Planet");
    EXPECT_EQ(utf8ToCp1252("€"), "\x80");
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, UnmappableAndMalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("a→b"), "a?b");
    EXPECT_EQ(utf8ToCp1252("x😀y"), "x?y");
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?");         // cut short
    EXPECT_EQ(utf8ToCp1252("\xC3(z"), "?(z");     // bad continuation byte
    EXPECT_EQ(utf8ToCp1252("\xFF\xFE"), "??");    // no lead byte
}
