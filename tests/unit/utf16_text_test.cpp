#include <gtest/gtest.h>

#include "store/utf16_text.h"

namespace quorvel {
namespace {

TEST(Utf16Text, RoundTripsEveryPlaneAndReplacesWhatIsBroken) {
    const std::string text = "Ünïcødé 日本 € 𝄞 entry";
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(text)), text);
    EXPECT_EQ(Utf16FromUtf8("𝄞").size(), 2u);
    // A lone surrogate, a cut sequence and a stray continuation byte each become one U+FFFD, and
    // what follows them survives.
    EXPECT_EQ(Utf8FromUtf16(u"a\xD800z"), "a\uFFFDz");
    EXPECT_EQ(Utf8FromUtf16(u"a\xDC00"), "a\uFFFD");
    EXPECT_EQ(Utf16FromUtf8("a\xE6\x97z"), u"a\uFFFD\uFFFDz");
    EXPECT_EQ(Utf16FromUtf8("\x80x"), u"\uFFFDx");
    EXPECT_EQ(Utf16FromUtf8(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

}  // namespace
}  // namespace quorvel
