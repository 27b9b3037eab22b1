#include <gtest/gtest.h>

#include "engine/line_breaks.h"

using namespace numsift;

TEST(LineBreaks, LfBecomesCrLfOnceAndExistingPairsStay) {
    EXPECT_EQ(withCrLf("12345\n54321\n"), "12345\r\n54321\r\n");
    EXPECT_EQ(withCrLf("\n\n"), "\r\n\r\n");
    EXPECT_EQ(withCrLf("a\r\nb\nc"), "a\r\nb\r\nc");
    EXPECT_EQ(withCrLf(withCrLf("a\nb")), "a\r\nb");
    EXPECT_EQ(withCrLf("a\rb"), "a\rb");
    EXPECT_EQ(withCrLf(""), "");
}

TEST(LineBreaks, CrLfBecomesLfAndALoneCrStays) {
    EXPECT_EQ(withLf("12345\r\n54321\r\n"), "12345\n54321\n");
    EXPECT_EQ(withLf("a\r\r\nb"), "a\r\nb");
    EXPECT_EQ(withLf("a\rb\r"), "a\rb\r");
    EXPECT_EQ(withLf("a\nb"), "a\nb");
    EXPECT_EQ(withLf(""), "");
}

TEST(LineBreaks, BoxTextsSurviveTheRoundTrip) {
    // What a box holds (LF breaks, UTF-8) comes back unchanged from the
    // engine's form.
    for (const char* box : {"", "12345", "12345 54321\n00001\n", "\n\n杀两码\n23 50", "a\rb\nc"})
        EXPECT_EQ(withLf(withCrLf(box)), box) << box;
}
