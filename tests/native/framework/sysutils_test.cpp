#include "SysUtils.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsDecimalAndEveryHexPrefix) {
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1F"), 31);
    EXPECT_EQ(StrToInt("X1f"), 31);
    EXPECT_EQ(StrToInt(" 12"), 12);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("0x000050B2E"), 0x50B2E); // leading zeros do not count against the 32 bits
}

TEST(StrToInt, RefusesWhatIsNotAWholeNumber) {
    for (const char* bad :
         {"2147483648", "", " ", "12a", "12 ", "-$FF", "0x", "$", "$1FFFFFFFF", "- 1", "0x-1"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(Text, TrimAndCaseTouchOnlyWhatTheyShould) {
    EXPECT_EQ(Trim("\t\r\n a b \x01"), "a b");
    EXPECT_EQ(LowerCase("ÄBC"), "Äbc"); // bytes above ASCII are left alone
    EXPECT_TRUE(SameText("Buttons", "BUTTONS"));
    EXPECT_FALSE(SameText("Buttons", "Button"));
    EXPECT_EQ(IntToHex(0x50B2E, 8), "00050B2E");
}

TEST(Text, Utf8AndUtf16RoundTrip) {
    const std::string s = "Read(读取) \xF0\x9F\x98\x80";
    std::u16string w = Utf8ToUtf16(s);
    EXPECT_EQ(w.size(), 11u); // the emoji takes a surrogate pair
    EXPECT_EQ(w[5], u'读');
    EXPECT_EQ(Utf16ToUtf8(w), s);
    EXPECT_EQ(Utf8ToUtf16("\xE8\xAF"), u"\uFFFD\uFFFD"); // truncated sequence, no overread
}
