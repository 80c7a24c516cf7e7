#include "app/BenchPictures.h"

#include <gtest/gtest.h>

TEST(SchemeSwitches, EachImageConnectsItsBranches) {
    EXPECT_EQ(SchemeSwitchesOfImage(1), (TSchemeSwitches{true, false, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(2), (TSchemeSwitches{true, true, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(3), (TSchemeSwitches{false, true, true}));
    EXPECT_EQ(SchemeSwitchesOfImage(4), (TSchemeSwitches{false, false, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(0), (TSchemeSwitches{false, false, false}));
    EXPECT_EQ(SchemeSwitchesOfImage(5), (TSchemeSwitches{false, false, false}));
}
