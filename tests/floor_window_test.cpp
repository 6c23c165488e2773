// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The benchmark's animation floor draws the game's picture, pixel for pixel: at the
// start, and with the balls where one fall of a three-ball game puts them.
#include "app/main_window.h"
#include "bench/floor_window.h"
#include "window_probes.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(AnimationFloor, DrawsTheGamesPicturePixelForPixel)
{
    app::MainWindow game;
    bench::FloorWindow floor;
    EXPECT_EQ(drawn(*floor.centralWidget()), drawn(game.fieldView())) << "at the start";

    // The floor's balls fall in columns of their own; one fall brings each from below
    // the field to the top row. The clock counts a second.
    QMetaObject::invokeMethod(floor.findChild<QTimer *>(QStringLiteral("fall")), "timeout");
    QMetaObject::invokeMethod(floor.findChild<QTimer *>(QStringLiteral("clock")), "timeout");
    game::FrmTolvarn &form = game.form();
    for (const auto &[ball, left] : {std::pair{&form.fiende, 600}, {&form.fiende2, 1500}, {&form.fiende3, 2400}}) {
        ball->setLeft(static_cast<float>(left));
        ball->setTop(game::FrmTolvarn::TopLine);
    }
    form.lblTid.setCaption(QStringLiteral("1"));
    EXPECT_EQ(drawn(*floor.centralWidget()), drawn(game.fieldView())) << "after a fall and a second";
}

} // namespace
