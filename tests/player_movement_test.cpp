// The arrow keys: one step of 100 twips a press, and the wraps at the field's edges.
#include "app/frmtolvarn.h"
#include "platform/key_codes.h"
#include "scripted_runtime.h"
#include "named_rows.h"

#include <gtest/gtest.h>


namespace {

using namespace platform::keys;

struct Walk {
    const char *name;
    float startLeft, startTop;
    std::int16_t key;
    int presses;
    float left, top;
};

class Movement : public testing::TestWithParam<Walk> {};

TEST_P(Movement, EndsWhereTheWrapsPutIt)
{
    const Walk &walk = GetParam();
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    form.shMove.setLeft(walk.startLeft);
    form.shMove.setTop(walk.startTop);
    for (int i = 0; i < walk.presses; ++i)
        form.Form_KeyDown(walk.key, 0);
    EXPECT_EQ(form.shMove.Left(), walk.left);
    EXPECT_EQ(form.shMove.Top(), walk.top);
}

INSTANTIATE_TEST_SUITE_P(
    Wraps, Movement,
    testing::Values(
        Walk{"right16", 1320, 2280, Right, 16, 2920, 2280}, Walk{"right17", 1320, 2280, Right, 17, 60, 2280},
        Walk{"left12", 1320, 2280, Left, 12, 120, 2280}, Walk{"left13", 1320, 2280, Left, 13, 2999, 2280},
        Walk{"rightFrom2999", 2999, 2280, Right, 1, 60, 2280}, Walk{"leftFrom99", 99, 2280, Left, 1, 2999, 2280},
        Walk{"rightFrom2960", 2960, 2280, Right, 1, 60, 2280}, Walk{"leftFrom60", 60, 2280, Left, 1, 2999, 2280},
        Walk{"leftAt159", 159, 2280, Left, 1, 2999, 2280}, Walk{"leftAt160", 160, 2280, Left, 1, 60, 2280},
        Walk{"rightAt2899", 2899, 2280, Right, 1, 2999, 2280}, Walk{"rightAt2900", 2900, 2280, Right, 1, 60, 2280},
        Walk{"up22", 1320, 2280, Up, 22, 1320, 80}, Walk{"up23", 1320, 2280, Up, 23, 1320, 3050},
        Walk{"down8", 1320, 2280, Down, 8, 1320, 3080}, Walk{"down9", 1320, 2280, Down, 9, 1320, 50},
        Walk{"down10", 1320, 2280, Down, 10, 1320, 150}, Walk{"upFrom150", 1320, 150, Up, 1, 1320, 50},
        Walk{"upFrom150Twice", 1320, 150, Up, 2, 1320, 3050}, Walk{"downFrom3050", 1320, 3050, Down, 1, 1320, 50},
        Walk{"downAt2999", 1320, 2999, Down, 1, 1320, 3099}, Walk{"downAt3000", 1320, 3000, Down, 1, 1320, 50},
        Walk{"upAt149", 1320, 149, Up, 1, 1320, 3050}, Walk{"sidewaysAt50", 1320, 50, Right, 1, 1420, 50},
        // Full laps: once wrapped, 30 steps across and 31 up or down come back.
        Walk{"lapRight", 60, 2280, Right, 30, 60, 2280}, Walk{"lapLeft", 2999, 2280, Left, 30, 2999, 2280},
        Walk{"lapDown", 1320, 50, Down, 31, 1320, 50}, Walk{"lapUp", 1320, 3050, Up, 31, 1320, 3050},
        // Keys that move nothing still run the wraps.
        Walk{"otherKeyWrapsLeft", 59, 2280, 65, 1, 2999, 2280}, Walk{"otherKeyLeavesStart", 1320, 2280, 0, 5, 1320, 2280},
        Walk{"otherKeyWrapsTop", 1320, 49, 13, 1, 1320, 3050}),
    nameOf<Walk>);

TEST(Movement, ShiftCtrlAndAltDoNotChangeAStep)
{
    for (std::int16_t shift : {0, 1, 2, 4, 7}) {
        ScriptedRuntime runtime;
        FrmTolvarn form(runtime);
        form.Form_KeyDown(Right, shift);
        EXPECT_EQ(form.shMove.Left(), 1420) << "shift state " << shift;
        EXPECT_EQ(form.shMove.Top(), 2280);
    }
}

} // namespace
