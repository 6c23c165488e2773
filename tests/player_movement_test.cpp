// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The arrow keys: one step of 100 twips a press, and the wraps at the field's edges.
#include "game/frmtolvarn.h"
#include "named_rows.h"
#include "platform/forms/key_codes.h"
#include "scripted_runtime.h"

#include <gtest/gtest.h>

namespace {

using namespace forms::keys;

struct Walk {
    const char *name;
    float startLeft, startTop;
    std::int16_t key;
    int presses;
    float left, top;
};

class Movement : public testing::TestWithParam<Walk> {};

TEST_P(Movement, EndsWhereTheStepsAndWrapsPutIt)
{
    const Walk &walk = GetParam();
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    form.shMove.setLeft(walk.startLeft);
    form.shMove.setTop(walk.startTop);
    for (int i = 0; i < walk.presses; ++i)
        form.Form_KeyDown(walk.key);
    EXPECT_EQ(form.shMove.Left(), walk.left);
    EXPECT_EQ(form.shMove.Top(), walk.top);
}

// Across, a wrap puts the ball one twip inside the opposite limit; down, the target
// 3050 lies 50 inside its limit, and 50 itself stands.
INSTANTIATE_TEST_SUITE_P(Wraps, Movement,
    testing::Values(Walk{"right16", 1320, 2280, Right, 16, 2920, 2280},
        Walk{"right17", 1320, 2280, Right, 17, 60, 2280}, Walk{"leftAt160", 160, 2280, Left, 1, 60, 2280},
        Walk{"leftAt159", 159, 2280, Left, 1, 2999, 2280}, Walk{"rightAt2899", 2899, 2280, Right, 1, 2999, 2280},
        Walk{"rightAt2900", 2900, 2280, Right, 1, 60, 2280}, Walk{"upFrom150", 1320, 150, Up, 1, 1320, 50},
        Walk{"upAt149", 1320, 149, Up, 1, 1320, 3050}, Walk{"downAt2999", 1320, 2999, Down, 1, 1320, 3099},
        Walk{"downAt3000", 1320, 3000, Down, 1, 1320, 50}, Walk{"lapRight", 60, 2280, Right, 30, 60, 2280},
        Walk{"lapUp", 1320, 3050, Up, 31, 1320, 3050}, Walk{"otherKeyStillWraps", 59, 49, 65, 1, 2999, 3050}),
    nameOf<Walk>);

} // namespace
