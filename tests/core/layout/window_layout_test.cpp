#include "core/layout/window_layout.h"

#include <gtest/gtest.h>

using namespace dz;

TEST(WindowLayout, DesignGeometry) {
    const MainLayout l = designLayout();
    EXPECT_EQ(l.clientWidth(), 752);
    EXPECT_EQ(l.clientHeight(), 705);
    EXPECT_EQ(l.surfaceBox, (Rect{8, 8, 377, 208}));
    EXPECT_EQ(l.orbitBox, (Rect{8, 222, 377, 101}));
    EXPECT_EQ(l.productionBox, (Rect{8, 331, 209, 350}));
    EXPECT_EQ(l.costBox, (Rect{228, 331, 281, 350}));
    EXPECT_EQ(l.personnelBox, (Rect{519, 331, 225, 246}));
    EXPECT_EQ(l.informationBox, (Rect{519, 583, 225, 96}));
    EXPECT_TRUE(l.orbitVisible);
}

TEST(WindowLayout, WorkedExampleTenByFiveWithTwoOrbitRows) {
    const MainLayout l = layoutForPlanet(10, 5, 2);
    EXPECT_EQ(l.surfaceBox, (Rect{8, 8, 378, 208}));
    EXPECT_EQ(l.orbitBox, (Rect{8, 218, 378, 106}));
    EXPECT_EQ(l.productionBox, (Rect{8, 330, 209, 350}));
    EXPECT_EQ(l.costBox, (Rect{228, 330, 281, 350}));
    EXPECT_EQ(l.personnelBox, (Rect{519, 330, 225, 246}));
    EXPECT_EQ(l.informationBox, (Rect{519, 582, 225, 96}));
    EXPECT_EQ(l.outerWidth, 760);
    EXPECT_EQ(l.outerHeight, 756);
    EXPECT_TRUE(l.orbitVisible);
}

TEST(WindowLayout, WithoutOrbitTheResultsMoveUp) {
    const MainLayout l = layoutForPlanet(10, 5, 0);
    EXPECT_FALSE(l.orbitVisible);
    EXPECT_EQ(l.productionBox.top, 224);
    EXPECT_EQ(l.informationBox.top, 476);
    EXPECT_EQ(l.outerHeight, 224 + 350 + 76);
    EXPECT_EQ(l.orbitBox.height, 38) << "the hidden box is still sized";
}

TEST(WindowLayout, LeftEdgesAndResultHeightsNeverChange) {
    const MainLayout design = designLayout();
    for (auto [w, hs, ho] : {std::tuple{20, 11, 2}, std::tuple{6, 4, 0}, std::tuple{7, 5, 1}}) {
        const MainLayout l = layoutForPlanet(w, hs, ho);
        for (auto member : {&MainLayout::productionBox, &MainLayout::costBox, &MainLayout::personnelBox, &MainLayout::informationBox}) {
            EXPECT_EQ((l.*member).left, (design.*member).left);
            EXPECT_EQ((l.*member).height, (design.*member).height);
            EXPECT_EQ((l.*member).width, (design.*member).width);
        }
        EXPECT_EQ(l.surfaceBox.left, 8);
        EXPECT_EQ(l.orbitBox.left, 8);
        EXPECT_EQ(l.outerWidth, 760);
    }
}

TEST(FitWindow, ScrollBarsTakeTheirRoomWhereThereIsSome) {
    const Size designed{752, 929};
    EXPECT_EQ(fitWindow(designed, {1920, 1049}, 16), (FittedWindow{designed, false, false}));
    EXPECT_EQ(fitWindow(designed, {752, 929}, 16), (FittedWindow{designed, false, false})) << "exactly enough room";
    EXPECT_EQ(fitWindow(designed, {1358, 737}, 16), (FittedWindow{{768, 737}, false, true})) << "cut in height only";
    EXPECT_EQ(fitWindow(designed, {700, 2000}, 16), (FittedWindow{{700, 945}, true, false})) << "cut in width only";
    EXPECT_EQ(fitWindow(designed, {760, 737}, 16), (FittedWindow{{760, 737}, true, true}))
        << "the vertical bar leaves too little width: both bars";
    EXPECT_EQ(fitWindow(designed, {632, 449}, 16), (FittedWindow{{632, 449}, true, true}));
}
