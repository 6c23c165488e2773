// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The help's goal as written and as its label lays it out: a run of spaces takes room
// like words and carries the key words down, beside the arrow keys, in the desktop's
// button text.
#include "help/help_window.h"
#include "help/wrapped_label.h"
#include "platform/qt/accessible.h"
#include "window_probes.h"

#include <gtest/gtest.h>

namespace {

TEST(WrappedLabel, CarriesTheHelpsKeyWordsBelowItsSentenceLeftOfTheArrowKeys)
{
    qtforms::serveScreenReaders(); // which names the painted texts
    help::HelpWindow window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 140)); // unusual, so its pixels are known
    window.setPalette(palette);
    const QImage image = drawn(window);
    const help::WrappedLabel *goal = findByName<help::WrappedLabel>(window, QStringLiteral("Ditt uppdrag"));
    ASSERT_TRUE(goal);
    const QRect arrowKeys = findByName(window, QStringLiteral("Piltangenterna"))->geometry();

    const QString sentence
        = QStringLiteral("Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) och sedan hålla dig "
                         "levande så länge som du kan.");
    const QString keyWords = QStringLiteral("Använd dig av: ");
    ASSERT_EQ(goal->Caption(), sentence + QString(421, u' ') + keyWords);

    // The sentence's last word ends line 2, where it fits; the run leaves lines blank below.
    const qsizetype lastWord = sentence.indexOf(QStringLiteral("kan.")), keys = goal->Caption().indexOf(keyWords);
    EXPECT_EQ(goal->placeOf(lastWord).line, 1) << "\"kan.\"";
    EXPECT_EQ(goal->placeOf(lastWord + 3).line, 1);
    const help::WrappedLabel::Place first = goal->placeOf(keys), last = goal->placeOf(keys + keyWords.indexOf(u':'));
    EXPECT_GT(first.line, 3);
    EXPECT_EQ(goal->placeOf(keys + keyWords.indexOf(u' ') - 1).line, first.line) << "\"Använd\" is never split";
    EXPECT_EQ(last.line, first.line);
    EXPECT_LT(goal->x() + last.x + 5, arrowKeys.left()) << "\"Använd dig av:\" stands left of the arrow keys";
    EXPECT_LT(last.bottom, goal->height());
    int ink = 0;
    for (int y = goal->y() + qCeil(first.top); y < goal->y() + qFloor(first.bottom); ++y)
        for (int x = goal->x(); x < arrowKeys.left(); ++x)
            ink += qGray(image.pixel(x, y)) < 110 && qBlue(image.pixel(x, y)) > qRed(image.pixel(x, y)) + 60;
    EXPECT_GT(ink, 20);
}

} // namespace
