#include "http/Base64.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(Base64, encodesWithStandardAlphabetAndPadding)
{
    EXPECT_EQ(base64Encode(""), "");
    EXPECT_EQ(base64Encode("f"), "Zg==");
    EXPECT_EQ(base64Encode("fo"), "Zm8=");
    EXPECT_EQ(base64Encode("foo"), "Zm9v");
    EXPECT_EQ(base64Encode("foob"), "Zm9vYg==");
    EXPECT_EQ(base64Encode("user:pass"), "dXNlcjpwYXNz");
    EXPECT_EQ(base64Encode("\xff\xfe?"), "//4/");
}

TEST(Base64, decodesWhatItEncodesAndRefusesMalformedText)
{
    for (const char* text : {"", "u", "us", "use", "user:password", "\xff\x01 x"})
        EXPECT_EQ(base64Decode(base64Encode(text)), text) << text;
    for (const char* bad : {"dXNlcjpwYXNz=", "dXN", "dX=z", "=XNl", "dXNl cjpw", "dX*l", "Zg==Zg=="})
        EXPECT_FALSE(base64Decode(bad)) << bad;
}

} // namespace
} // namespace listorix
