#include "core/layout/field_cells.h"

#include <gtest/gtest.h>

using namespace dz;

TEST(FieldKey, EncodesAndDecodesEveryCell) {
    EXPECT_EQ(fieldKey(3, 4, true), 10304);
    EXPECT_EQ(fieldKey(3, 4, false), 304);
    EXPECT_EQ(fieldKey(0, 0, false), 0);
    EXPECT_EQ(fieldKey(0, 0, true), 10000);
    EXPECT_EQ(fieldKey(3, 7, true), 10307);
    EXPECT_EQ(fieldKey(3, 1, false), 301);
    for (bool surface : {true, false})
        for (int x = 0; x < 25; ++x)
            for (int y = 0; y < 20; ++y)
                EXPECT_EQ(decodeFieldKey(fieldKey(x, y, surface)), (FieldSelection{x, y, surface}));
}

TEST(CellGeometry, FramesAndPicturesAtThirtyFivePixelPitch) {
    EXPECT_EQ(frameRect(0, 0), (Rect{14, 19, 34, 34}));
    EXPECT_EQ(pictureRect(0, 0), (Rect{15, 20, 32, 32}));
    EXPECT_EQ(frameRect(2, 1), (Rect{84, 54, 34, 34}));
    EXPECT_EQ(pictureRect(2, 1), (Rect{85, 55, 32, 32}));
    // Column 9 of a 10-wide planet spans 329 to 362 in a 378-pixel box.
    EXPECT_EQ(frameRect(9, 0).left, 329);
    EXPECT_EQ(frameRect(9, 0).left + frameRect(9, 0).width - 1, 362);
    // The last frames stay inside the box for the largest grids.
    EXPECT_LE(frameRect(24, 0).left + 34, 34 * 25 + 38);
    EXPECT_LE(frameRect(0, 19).top + 34, 34 * 20 + 38);
}

TEST(FrameIndex, OperationAndRangesPickTheFrame) {
    auto field = [](bool on, int wide, int near) {
        Field f;
        f.inOperation = on;
        f.coverWide = wide;
        f.coverNear = near;
        return f;
    };
    // A plain field never shows an "a" frame.
    EXPECT_EQ(frameIndex(field(false, 0, 0), false), 4);
    EXPECT_EQ(frameIndex(field(true, 0, 0), false), 4);
    EXPECT_EQ(frameIndex(field(false, 2, 0), false), 5);
    EXPECT_EQ(frameIndex(field(false, 0, 1), false), 6);
    EXPECT_EQ(frameIndex(field(false, 1, 3), false), 7);
    // A building shows "a" while in operation.
    EXPECT_EQ(frameIndex(field(true, 0, 0), true), 0);
    EXPECT_EQ(frameIndex(field(true, 1, 0), true), 1);
    EXPECT_EQ(frameIndex(field(true, 0, 1), true), 2);
    EXPECT_EQ(frameIndex(field(true, 1, 1), true), 3);
    EXPECT_EQ(frameIndex(field(false, 1, 1), true), 7);
    EXPECT_STREQ(kFrameFiles[frameIndex(field(false, 0, 1), false)], "is.gif");
    EXPECT_STREQ(kFrameFiles[frameIndex(field(true, 1, 1), true)], "abs.gif");
}
