// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Finds the moment at which the Wayland display test holds the system's clock: the
// first whole second from 2027-01-01 00:00 UTC at which the game, seeded then, plays a
// three-ball game whose balls touch neither the green ball's place at the start nor
// one step left of it before their 361st tick. Prints it as faketime reads it.
//   find_seed
#include "game/frmtolvarn.h"
#include "platform/qt/runtime.h"

#include <QDateTime>
#include <QTimeZone>

#include <cstdio>

namespace {

struct Touched {};

// The game's own random source; "3" to the question; a message is the game's end.
class SeededRuntime final : public forms::Runtime {
public:
    explicit SeededRuntime(qint64 msecs) { m_desktop.seedFrom(msecs); }
    QString InputBox(const QString &, const QString &, const QString &) override { return QStringLiteral("3"); }
    void MsgBox(const QString &) override { throw Touched(); }
    void Randomize() override {}
    float Rnd() override { return m_desktop.Rnd(); }
    void ShowHelp() override {}
    void End() override {}

private:
    qtforms::Runtime m_desktop{nullptr, nullptr, nullptr};
};

constexpr int TicksToMiss = 360;

bool ballsMissThePlayer(qint64 msecs)
{
    SeededRuntime runtime(msecs);
    game::FrmTolvarn form(runtime);
    const float start = form.shMove.Left();
    try {
        form.newMenu_Click();
        for (int tick = 0; tick < TicksToMiss; ++tick) {
            form.tmrEnemy3_Timer();
            for (float left : {start, start - 100}) {
                form.shMove.setLeft(left);
                form.tmrChecka_Timer();
            }
        }
    } catch (const Touched &) {
        return false;
    }
    return true;
}

} // namespace

int main()
{
    const QDateTime from(QDate(2027, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (int second = 0; second < 24 * 3600; ++second) {
        const QDateTime at = from.addSecs(second);
        if (ballsMissThePlayer(at.toMSecsSinceEpoch())) {
            std::printf("%s\n", qPrintable(at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
            return 0;
        }
    }
    return 1;
}
