#pragma once

#include <gtest/gtest.h>

#include <string>

// The cases every code page 932 codec of the program passes, instantiated
// with each platform's codec.
namespace tavlo::testing {

template <typename Codec> class Cp932CodecCases : public ::testing::Test {
protected:
    Codec codec;
};
TYPED_TEST_SUITE_P(Cp932CodecCases);

TYPED_TEST_P(Cp932CodecCases, EncodesTheGothicFaceNameIn15Bytes)
{
    const std::string bytes = this->codec.encode("ＭＳ Ｐゴシック");
    EXPECT_EQ(bytes, "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(this->codec.decode(bytes), "ＭＳ Ｐゴシック");
}

TYPED_TEST_P(Cp932CodecCases, KeepsTheMicrosoftExtensions)
{
    for (const char* text : {"①", "髙", "太字 斜体", "ｶﾀｶﾅ", "月齢", "～"})
        EXPECT_EQ(this->codec.decode(this->codec.encode(text)), text) << text;
}

TYPED_TEST_P(Cp932CodecCases, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(this->codec.encode("a😀b"), "a?b");
    EXPECT_EQ(this->codec.encode("x\xff"
                                 "y"),
        "x?y");                                        // not UTF-8 at all
    EXPECT_EQ(this->codec.encode("∞é"), "\x81\x87?");  // no best fit: é is not e
}

TYPED_TEST_P(Cp932CodecCases, BytesThatDoNotDecodeBecomeReplacementCharacters)
{
    EXPECT_EQ(this->codec.decode("a\x82"), "a\xEF\xBF\xBD");  // lead byte at the end
    EXPECT_EQ(this->codec.decode("\xA0z"), "\xEF\xBF\xBDz");  // unassigned single byte
    EXPECT_EQ(this->codec.decode(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TYPED_TEST_P(Cp932CodecCases, FitPrefixNeverSplitsADoubleByteCharacter)
{
    const std::string text = this->codec.encode("aあい");  // 1 + 2 + 2 bytes
    EXPECT_EQ(this->codec.fitPrefix(text, 5), 5u);
    EXPECT_EQ(this->codec.fitPrefix(text, 4), 3u);
    EXPECT_EQ(this->codec.fitPrefix(text, 2), 1u);
    EXPECT_EQ(this->codec.fitPrefix(text, 30), 5u);
    EXPECT_EQ(this->codec.fitPrefix(this->codec.encode("ｶﾀ"), 1), 1u);  // half-width katakana are single bytes
}

REGISTER_TYPED_TEST_SUITE_P(Cp932CodecCases, EncodesTheGothicFaceNameIn15Bytes, KeepsTheMicrosoftExtensions,
    UnmappableCharactersBecomeQuestionMarks, BytesThatDoNotDecodeBecomeReplacementCharacters,
    FitPrefixNeverSplitsADoubleByteCharacter);

}  // namespace tavlo::testing
