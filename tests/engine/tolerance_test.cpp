#include <gtest/gtest.h>

#include "engine/tolerance.h"

using namespace numsift;

TEST(Tolerance, ReadingABox) {
    EXPECT_EQ(readToleranceBox("0"), 0);
    EXPECT_EQ(readToleranceBox("07"), 7);
    EXPECT_EQ(readToleranceBox("99"), 99);
    EXPECT_EQ(readToleranceBox(".5"), 0);  // halves to even
    EXPECT_EQ(readToleranceBox(".6"), 1);
    EXPECT_EQ(readToleranceBox("2.5"), 2);
    EXPECT_EQ(readToleranceBox("3.5"), 4);
    EXPECT_EQ(readToleranceBox("1."), 1);
    EXPECT_EQ(readToleranceBox(""), 0);  // no number reads as 0
    EXPECT_EQ(readToleranceBox("."), 0);
    EXPECT_EQ(readToleranceBox("abc"), 0);
    EXPECT_EQ(readToleranceBox("999999999999999999999999"), 255);
}

TEST(Tolerance, NormalisingTheBounds) {
    NormalisedTolerance r = normaliseTolerance("3", "1");
    EXPECT_EQ(r.tolerance, (Tolerance{1, 1}));
    EXPECT_EQ(r.lowerBox, "1");
    EXPECT_EQ(r.upperBox, "1");

    r = normaliseTolerance("07", "09");
    EXPECT_EQ(r.tolerance, (Tolerance{7, 9}));
    EXPECT_EQ(r.lowerBox, "07");  // lower below upper: left as typed
    EXPECT_EQ(r.upperBox, "9");

    r = normaliseTolerance("2", "2");
    EXPECT_EQ(r.tolerance, (Tolerance{2, 2}));
    EXPECT_EQ(r.lowerBox, "2");

    r = normaliseTolerance("", ".");
    EXPECT_EQ(r.tolerance, (Tolerance{0, 0}));
    EXPECT_EQ(r.lowerBox, "0");
    EXPECT_EQ(r.upperBox, "0");
}
