#include <gtest/gtest.h>

#include "store/utf16_text.h"

namespace quorvel {
namespace {

TEST(Utf16Text, RoundTripsEveryPlaneAndWhatIsNoValidUtf16AndReplacesOnlyBrokenBytes) {
    const std::string text = "Ünïcødé 日本 € 𝄞 entry";
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(text)), text);
    EXPECT_EQ(Utf16FromUtf8("𝄞").size(), 2u);
    // A registry name may hold a surrogate without its partner, or a NUL: each comes back as it was.
    EXPECT_EQ(Utf8FromUtf16(u"a\xD800z"), "a\xED\xA0\x80z");
    EXPECT_EQ(Utf8FromUtf16(u"a\xDC00"), "a\xED\xB0\x80");
    EXPECT_EQ(Utf16FromUtf8("a\xED\xA0\x80z"), u"a\xD800z");
    EXPECT_EQ(Utf16FromUtf8("\xED\xBF\xBF"), u"\xDFFF");
    EXPECT_EQ(Utf16FromUtf8(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    // A cut sequence, a stray continuation byte and an over-long form each cost one U+FFFD a byte, and
    // what follows them survives.
    EXPECT_EQ(Utf16FromUtf8("a\xE6\x97z"), u"a\uFFFD\uFFFDz");
    EXPECT_EQ(Utf16FromUtf8("\x80x"), u"\uFFFDx");
    EXPECT_EQ(Utf16FromUtf8("\xC0\x80x"), u"\uFFFD\uFFFDx");
}

TEST(Utf16Text, AsciiUpperCaseTakesEveryLetterFromAToZAndNothingBesideThem) {
    EXPECT_EQ(AsciiUpperCase("zebra Quiz az`{@[ \xC3\xA9"), "ZEBRA QUIZ AZ`{@[ \xC3\xA9");
}

}  // namespace
}  // namespace quorvel
