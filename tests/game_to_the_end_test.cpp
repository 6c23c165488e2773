// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A whole game on the real windows, in a child process (a death test) that reports every
// box it sees on stderr, so that the program's end and its status can be checked.
#include "app/start_up.h"
#include "window_probes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A box as the player meets it: its text, title and field, its buttons, the first
// item of the field's own menu, which comes from Qt's texts, and the window that the
// desktop keeps it over.
QString describe(QWidget *box)
{
    const QWindow *owner = box->windowHandle()->transientParent();
    const QString over = owner && owner != box->windowHandle() ? QStringLiteral(" over ") + owner->title() : QString();
    const Qt::WindowFlags buttonsOfItsOwn = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    QStringList buttons;
    for (const QPushButton *button : box->findChildren<QPushButton *>())
        buttons << button->text().remove(u'&');
    if (auto *input = qobject_cast<QInputDialog *>(box)) {
        const std::unique_ptr<QMenu> menu(input->findChild<QLineEdit *>()->createStandardContextMenu());
        return QStringLiteral("asked: %1 [%2%3] (%4) %5 %6")
                   .arg(input->labelText(), input->windowTitle(), box->windowFlags() & buttonsOfItsOwn ? u" []" : u"",
                       input->textValue(), buttons.join(u'/'),
                       menu->actions().value(0)->text().remove(u'&').section(u'\t', 0, 0))
            + over;
    }
    auto *message = qobject_cast<QMessageBox *>(box);
    return QStringLiteral("told: %1 %2%3%4")
               .arg(message->text(), buttons.join(u'/'), message->icon() ? u" icon" : u"",
                   box->windowFlags() & buttonsOfItsOwn ? u" []" : u"")
        + over;
}

// What stands behind the game-over message: the window's timers still running, the
// screen against the field as the game holds it, and the clock against the seconds told.
QString behind(app::MainWindow &window, const QMessageBox &message)
{
    QStringList running;
    for (const QTimer *ticks : window.findChildren<QTimer *>())
        if (ticks->isActive())
            running << ticks->objectName();
    const bool still = shown(window.fieldView()) == drawn(window.fieldView());
    const bool clockAsTold
        = message.text().contains(QStringLiteral(" %1 sekunder").arg(window.form().lblTid.Caption()));
    return QStringLiteral("behind: running [%1], %2, %3")
        .arg(running.join(u' '), still ? u"the field as it stands" : u"another picture",
            clockAsTold ? u"the clock as told" : u"the clock moved on");
}

// Answers 1 and, once the clock has counted, steers the green ball under the falling
// one with the arrow keys and asks for a new game: the touch comes while the box is
// open, and its message over it. The end must come from the game: the event loop
// ending exits 5, a hang 3.
[[noreturn]] void playOneGame()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const std::unique_ptr<app::MainWindow> started = app::startUp<app::MainWindow>();
    app::MainWindow &window = *started;
    const game::FrmTolvarn &form = window.form();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || box->property("seen").toBool())
            return;
        box->setProperty("seen", true);
        std::fprintf(stderr, "%s\n", describe(box).toUtf8().constData());
        std::fflush(stderr);
        if (auto *input = qobject_cast<QInputDialog *>(box); input && !form.tmrEnemy.Enabled())
            input->accept(); // the field holds 1
        else if (auto *message = qobject_cast<QMessageBox *>(box)) {
            QCoreApplication::processEvents(); // the picture of the touch reaches the screen
            std::fprintf(stderr, "%s\n", qPrintable(behind(window, *message)));
            message->button(QMessageBox::Ok)->click();
        }
    });
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, &window, [&] {
        if (QApplication::activeModalWidget() || form.lblTid.Caption() == QStringLiteral("0")
            || form.fiende.Top() > 1000)
            return;
        for (int i = 0; i < 100 && std::abs(form.fiende.Left() - form.shMove.Left()) > 50; ++i)
            QTest::keyClick(&window, form.fiende.Left() > form.shMove.Left() ? Qt::Key_Right : Qt::Key_Left);
        player.stop();
        QTimer::singleShot(0, &window, [&window] { window.newMenu().trigger(); });
    });
    poll.start(2);
    player.start(5);
    QTimer::singleShot(0, &window, [&window] { window.newMenu().trigger(); });
    QTimer::singleShot(60000, &window, [] { std::_Exit(3); });
    QApplication::exec();
    std::_Exit(5);
}

// Non-ASCII letters match as any bytes: the child's stderr need not be UTF-8.
TEST(GameToTheEndDeathTest, EndsTheProgramWithStatusZeroAfterOneGameOverMessage)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qt_sv.qm")))
        GTEST_SKIP() << "Qt's Swedish texts are not installed (Debian: qt6-translations-l10n)";
    EXPECT_EXIT(playOneGame(), testing::ExitedWithCode(0),
        "asked: Hur m.+nga bollar vill du ha\\? 1-3\\. \\[Sv.+righetsgrad\\] \\(1\\) OK/Avbryt .+ngra over Tolvarn\n"
        "asked: .* over Tolvarn\n"
        "told: Bravo! Tyv.+rr s.+ klarade du bara: [1-9][0-9]* sekunder\\. Ett till f.+rs.+k kanske\\? OK over "
        "Tolvarn\n"
        "behind: running \\[\\], the field as it stands, the clock as told\n$");
}

} // namespace
