// The real windows on the offscreen platform, driven in the orders that players find by
// accident: touches while a box is open, two touches at once, "Nytt spel" in the middle
// of a game, windows closed in either order, a megabyte pasted, keys held for long.
// Where the program's end is the expected outcome, the game runs in a child process
// (a death test) that reports each box it sees, so that the end can be checked.
#include "app/main_window.h"
#include "help/help_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Ends the process with 3 if the guarded work has not finished in time: a hang fails
// the test instead of stopping the suite. A thread, so it also fires when the event
// loop itself is stuck. Generous, since sanitizer builds on busy machines are slow.
class Watchdog {
public:
    explicit Watchdog(std::string what, std::chrono::seconds limit = 60s)
        : m_thread([this, what = std::move(what), limit] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                  std::fprintf(stderr, "watchdog: %s still running after %llds\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::_Exit(3);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

// Plays the user at the dialogs: every box that opens is reported once on stderr, in
// the order seen ("asked #1: ...", "told #2: ..."), and handed to the script.
class DialogPlayer {
public:
    using Script = std::function<void(QWidget *box)>;

    explicit DialogPlayer(Script script) : m_script(std::move(script))
    {
        m_poll.setInterval(2);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { look(); });
        m_poll.start();
    }

    // Answers an input box with a text, as typed.
    static void answer(QWidget *box, const QString &text)
    {
        auto *input = qobject_cast<QInputDialog *>(box);
        input->setTextValue(text);
        input->accept();
    }
    static void pressOk(QWidget *box) { qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click(); }
    static bool isGameOver(QWidget *box)
    {
        auto *message = qobject_cast<QMessageBox *>(box);
        return message && message->text().startsWith(QStringLiteral("Bravo!"));
    }

private:
    void look()
    {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        std::erase_if(m_seen, [](const QPointer<QWidget> &seen) { return seen.isNull(); });
        for (const QPointer<QWidget> &seen : m_seen) {
            if (seen == box)
                return;
        }
        m_seen.emplace_back(box);
        if (auto *input = qobject_cast<QInputDialog *>(box))
            std::fprintf(stderr, "asked #%d: %s\n", ++m_asked, qPrintable(input->labelText()));
        else if (auto *message = qobject_cast<QMessageBox *>(box))
            std::fprintf(stderr, "told #%d: %s\n", ++m_told, qPrintable(message->text()));
        std::fflush(stderr);
        m_script(box);
    }

    Script m_script;
    QTimer m_poll;
    std::vector<QPointer<QWidget>> m_seen;
    int m_asked = 0;
    int m_told = 0;
};

// A text as a death-test pattern. ASCII punctuation matches as any character; a
// character beyond ASCII as one to four non-ASCII bytes, since the test program may
// match with or without a UTF-8 locale.
std::string literally(const QString &text)
{
    std::string pattern;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            pattern += "[^ -~]{1,4}";
        else if (c.isLetterOrNumber() || c == u' ' || c == u'#' || c == u':')
            pattern += static_cast<char>(c.unicode());
        else
            pattern += '.';
    }
    return pattern;
}

const QString NewGameQuestion = QStringLiteral("Hur många bollar vill du ha? 1-3.");
const QString OnlyOneToThree = QStringLiteral("Bara 1-3 fungerar!");
const QString TooMany = QStringLiteral("För mycket.");
const QString Desperate = QStringLiteral("0 Bollar? Du är verkligen desperat.");

std::string gameOverPattern(const char *seconds)
{
    return literally(QStringLiteral("Bravo! Tyvärr så klarade du bara: ")) + seconds +
           literally(QStringLiteral(" sekunder. Ett till försök kanske?"));
}

// The report of a game that ended at its first game-over message, which was box n.
std::string endsWithTheGameOver(int n, const char *seconds = "0")
{
    return "told #" + std::to_string(n) + ": " + gameOverPattern(seconds) + "\n$";
}

// In a child, stderr carries only its report: Qt's notes (such as the offscreen
// platform's "does not support propagateSizeHints()") would break up its lines.
void reportOnlyOurLines()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

void putOnPlayer(FrmTolvarn &form, platform::Shape &ball, float dx = 0, float dy = 0)
{
    ball.setLeft(form.shMove.Left() + dx);
    ball.setTop(form.shMove.Top() + dy);
}

// Runs the program's event loop; the game must end through the program end, not here.
[[noreturn]] void runUntilTheEnd(MainWindow &window, const char *what)
{
    Watchdog watchdog(what);
    window.showCentred();
    QApplication::exec();
    std::fprintf(stderr, "the event loop ended\n");
    std::fflush(stderr);
    std::_Exit(4);
}

// --- A touch while a box of "Nytt spel" is open ------------------------------------

// A game with one ball runs; "Nytt spel" is chosen again, and while its input box is
// open a ball reaches the player. The game-over message comes over the input box, and
// the program ends with it: the open question is never answered.
void touchWhileTheInputBoxIsOpen()
{
    reportOnlyOurLines();
    MainWindow window;
    FrmTolvarn &form = window.form();
    DialogPlayer player([&](QWidget *box) {
        static int inputBoxes = 0;
        if (qobject_cast<QInputDialog *>(box) && ++inputBoxes == 1) {
            DialogPlayer::answer(box, QStringLiteral("1"));
            QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
        } else if (qobject_cast<QInputDialog *>(box)) {
            putOnPlayer(form, form.fiende, 0, 100);
        } else if (DialogPlayer::isGameOver(box)) {
            DialogPlayer::pressOk(box);
        }
    });
    QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
    runUntilTheEnd(window, "touch while the input box is open");
}

TEST(AwkwardOrdersDeathTest, TouchWhileTheInputBoxIsOpenEndsTheProgramWithOneMessage)
{
    EXPECT_EXIT(touchWhileTheInputBoxIsOpen(), testing::ExitedWithCode(0),
                "asked #1: " + literally(NewGameQuestion) + "\nasked #2: " + literally(NewGameQuestion) + "\n" +
                    endsWithTheGameOver(1, "[0-9]+"));
}

struct RefusedAnswer {
    const char *name;
    const char *answer;
    QString message;
};

void PrintTo(const RefusedAnswer &refused, std::ostream *out) { *out << refused.name; }

// The answer's message stays open while a ball reaches the player; a further ball
// touches while the game-over message is open too. One game-over message, then the end.
void touchWhileTheAnswerIsRefused(const char *answer)
{
    reportOnlyOurLines();
    MainWindow window;
    FrmTolvarn &form = window.form();
    DialogPlayer player([&](QWidget *box) {
        if (qobject_cast<QInputDialog *>(box)) {
            DialogPlayer::answer(box, QString::fromLatin1(answer));
        } else if (DialogPlayer::isGameOver(box)) {
            putOnPlayer(form, form.fiende2, -200, 200);
            QTimer::singleShot(100, box, [box] { DialogPlayer::pressOk(box); });
        } else {
            putOnPlayer(form, form.fiende, 254, 254);
        }
    });
    QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
    runUntilTheEnd(window, "touch while a message of Nytt spel is open");
}

class TouchWhileRefusingDeathTest : public testing::TestWithParam<RefusedAnswer> {};

TEST_P(TouchWhileRefusingDeathTest, EndsTheProgramWithOneGameOverMessage)
{
    const RefusedAnswer &refused = GetParam();
    EXPECT_EXIT(touchWhileTheAnswerIsRefused(refused.answer), testing::ExitedWithCode(0),
                "asked #1: " + literally(NewGameQuestion) + "\ntold #1: " + literally(refused.message) + "\n" +
                    endsWithTheGameOver(2));
}

INSTANTIATE_TEST_SUITE_P(AwkwardOrders, TouchWhileRefusingDeathTest,
                         testing::Values(RefusedAnswer{"notANumber", "tre", OnlyOneToThree},
                                         RefusedAnswer{"tooMany", "4", TooMany},
                                         RefusedAnswer{"none", "0", Desperate}),
                         [](const testing::TestParamInfo<RefusedAnswer> &info) { return info.param.name; });

// --- Several touches in the same tick -----------------------------------------------

struct SameTick {
    const char *name;
    const char *answer; // the game running, if any
    std::vector<platform::Shape FrmTolvarn::*> balls;
};

void PrintTo(const SameTick &sameTick, std::ostream *out) { *out << sameTick.name; }

// The balls are placed in one event, so the next check finds them all touching; the
// game-over message stays open a while, as ticks of every timer go on beneath it.
void touchesInTheSameTick(const SameTick &sameTick)
{
    reportOnlyOurLines();
    MainWindow window;
    FrmTolvarn &form = window.form();
    auto placeBalls = [&] {
        float shift = 0;
        for (platform::Shape FrmTolvarn::*ball : sameTick.balls) {
            putOnPlayer(form, form.*ball, shift, -shift);
            shift += 60;
        }
    };
    DialogPlayer player([&](QWidget *box) {
        if (qobject_cast<QInputDialog *>(box)) {
            DialogPlayer::answer(box, QString::fromLatin1(sameTick.answer));
            QTimer::singleShot(0, placeBalls);
        } else if (DialogPlayer::isGameOver(box)) {
            QTimer::singleShot(150, box, [box] { DialogPlayer::pressOk(box); });
        }
    });
    if (*sameTick.answer)
        QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
    else
        QTimer::singleShot(0, placeBalls);
    runUntilTheEnd(window, "touches in the same tick");
}

class TouchesInTheSameTickDeathTest : public testing::TestWithParam<SameTick> {};

TEST_P(TouchesInTheSameTickDeathTest, GiveOneMessageAndTheEnd)
{
    const SameTick &sameTick = GetParam();
    EXPECT_EXIT(touchesInTheSameTick(sameTick), testing::ExitedWithCode(0),
                std::string(*sameTick.answer ? "asked #1: " + literally(NewGameQuestion) + "\n" : "") +
                    endsWithTheGameOver(1));
}

INSTANTIATE_TEST_SUITE_P(
    AwkwardOrders, TouchesInTheSameTickDeathTest,
    testing::Values(SameTick{"balls1And2BeforeAnyGame", "", {&FrmTolvarn::fiende, &FrmTolvarn::fiende2}},
                    SameTick{"allThreeBeforeAnyGame", "",
                             {&FrmTolvarn::fiende3, &FrmTolvarn::fiende2, &FrmTolvarn::fiende}},
                    SameTick{"allThreeInAThreeBallGame", "3",
                             {&FrmTolvarn::fiende, &FrmTolvarn::fiende2, &FrmTolvarn::fiende3}}),
    [](const testing::TestParamInfo<SameTick> &info) { return info.param.name; });

// --- "Nytt spel" answered while a game runs -----------------------------------------

struct SecondAnswer {
    const char *name;
    QString answer; // empty: the box is cancelled
    QString message;
    const char *state; // the timers and the clock afterwards
};

void PrintTo(const SecondAnswer &second, std::ostream *out) { *out << second.name; }

// A three-ball game runs and has ticked; the clock shows 7 (as if 7 seconds had gone).
// "Nytt spel" is answered again; afterwards the child reports which timers run, what
// the clock shows, and whether the balls went on from where they were.
void answerDuringAGame(const SecondAnswer &second)
{
    reportOnlyOurLines();
    MainWindow window;
    FrmTolvarn &form = window.form();
    float ball3Before = 0;
    auto askAgain = [&] {
        ball3Before = form.fiende3.Top();
        form.lblTid.setCaption(QStringLiteral("7"));
        window.newMenu().trigger();
        std::fprintf(stderr, "timers: clock %d, ball timers %d%d%d; clock shows %s; balls went on: %s\n",
                     form.tmrTid.Enabled(), form.tmrEnemy.Enabled(), form.tmrEnemy2.Enabled(),
                     form.tmrEnemy3.Enabled(), qPrintable(form.lblTid.Caption()),
                     form.tmrEnemy3.Interval() < 100 && form.fiende3.Top() < 3100 && ball3Before < 3100 ? "yes"
                                                                                                          : "no");
        window.close();
    };
    QTimer firstTick;
    QObject::connect(&firstTick, &QTimer::timeout, [&] {
        if (form.fiende3.Top() == 3480)
            return;
        firstTick.stop();
        QTimer::singleShot(0, askAgain);
    });
    DialogPlayer player([&](QWidget *box) {
        static int inputBoxes = 0;
        if (qobject_cast<QInputDialog *>(box) && ++inputBoxes == 1) {
            DialogPlayer::answer(box, QStringLiteral("3"));
            firstTick.start(1);
        } else if (qobject_cast<QInputDialog *>(box)) {
            if (second.answer.isEmpty())
                qobject_cast<QInputDialog *>(box)->reject();
            else
                DialogPlayer::answer(box, second.answer);
        } else if (DialogPlayer::isGameOver(box)) {
            DialogPlayer::pressOk(box);
        } else {
            DialogPlayer::pressOk(box);
        }
    });
    QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
    Watchdog watchdog("Nytt spel during a game");
    window.showCentred();
    QApplication::exec(); // until the window closes
    std::fprintf(stderr, "the window closed\n");
    std::fflush(stderr);
    std::_Exit(5);
}

class NewGameDuringAGameDeathTest : public testing::TestWithParam<SecondAnswer> {};

TEST_P(NewGameDuringAGameDeathTest, LeavesTheRunningGameGoingAndAddsOnlyWhatTheAnswerAsks)
{
    const SecondAnswer &second = GetParam();
    const std::string message = second.message.isEmpty() ? "" : "told #1: " + literally(second.message) + "\n";
    // The clock may have ticked once meanwhile on a very slow machine: 0 or 1, 7 or 8.
    EXPECT_EXIT(answerDuringAGame(second), testing::ExitedWithCode(5),
                "asked #1: " + literally(NewGameQuestion) + "\nasked #2: " + literally(NewGameQuestion) + "\n" +
                    message + second.state + "; balls went on: yes\nthe window closed\n$");
}

INSTANTIATE_TEST_SUITE_P(
    AwkwardOrders, NewGameDuringAGameDeathTest,
    testing::Values(
        SecondAnswer{"one", "1", {}, "timers: clock 1, ball timers 101; clock shows [01]"},
        SecondAnswer{"two", "2", {}, "timers: clock 1, ball timers 011; clock shows [01]"},
        SecondAnswer{"threeAgain", "3", {}, "timers: clock 1, ball timers 001; clock shows [01]"},
        SecondAnswer{"zero", "0", Desperate, "timers: clock 1, ball timers 001; clock shows [78]"},
        SecondAnswer{"four", "4", TooMany, "timers: clock 1, ball timers 001; clock shows [78]"},
        SecondAnswer{"notANumber", "x", OnlyOneToThree, "timers: clock 1, ball timers 001; clock shows [78]"},
        SecondAnswer{"cancelled", {}, OnlyOneToThree, "timers: clock 1, ball timers 001; clock shows [78]"},
        SecondAnswer{"twoAndAHalf", QLocale().toString(2.5), {}, "timers: clock 1, ball timers 001; clock shows [78]"}),
    [](const testing::TestParamInfo<SecondAnswer> &info) { return info.param.name; });

// --- Closing the windows in either order --------------------------------------------

HelpWindow *openHelpWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *help = dynamic_cast<HelpWindow *>(widget); help && help->isVisible())
            return help;
    }
    return nullptr;
}

// During a three-ball game the main window is closed while the help window is open.
// The program keeps running for the help window; the game does not: a ball placed on
// the player afterwards brings no message. Closing the help window ends the program.
void closeTheMainWindowFirst()
{
    reportOnlyOurLines();
    MainWindow window;
    FrmTolvarn &form = window.form();
    auto afterClosing = [&] {
        putOnPlayer(form, form.fiende);
        const float ball3 = form.fiende3.Top();
        QTimer::singleShot(300, [&form, ball3] {
            HelpWindow *help = openHelpWindow();
            std::fprintf(stderr, "300 ms later: help window open %d, balls still %d\n", help != nullptr,
                         form.fiende3.Top() == ball3);
            std::fflush(stderr);
            if (help)
                help->close();
        });
    };
    DialogPlayer player([&](QWidget *box) {
        if (qobject_cast<QInputDialog *>(box)) {
            DialogPlayer::answer(box, QStringLiteral("3"));
            QTimer::singleShot(0, [&] {
                window.helpMenu().trigger();
                window.close();
                std::fprintf(stderr, "main window closed, help window open %d\n", openHelpWindow() != nullptr);
                afterClosing();
            });
        } else {
            DialogPlayer::pressOk(box);
        }
    });
    QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
    Watchdog watchdog("closing the main window first");
    window.showCentred();
    QApplication::exec();
    std::fprintf(stderr, "the program's last window closed\n");
    std::fflush(stderr);
    std::_Exit(5);
}

TEST(AwkwardOrdersDeathTest, MainWindowClosedBeforeTheHelpWindowStopsTheGameButNotTheProgram)
{
    EXPECT_EXIT(closeTheMainWindowFirst(), testing::ExitedWithCode(5),
                "asked #1: " + literally(NewGameQuestion) +
                    "\nmain window closed, help window open 1\n"
                    "300 ms later: help window open 1, balls still 1\n"
                    "the program's last window closed\n$");
}

// The help window is opened and closed during a game; the game goes on under the main
// window until a ball touches, and the program ends after the one message.
void closeTheHelpWindowFirst()
{
    reportOnlyOurLines();
    MainWindow window;
    FrmTolvarn &form = window.form();
    QTimer watchBall;
    float ballAtHelpClose = 0;
    QObject::connect(&watchBall, &QTimer::timeout, [&] {
        if (form.fiende.Top() == ballAtHelpClose)
            return;
        watchBall.stop();
        std::fprintf(stderr, "the game goes on\n");
        putOnPlayer(form, form.fiende);
    });
    DialogPlayer player([&](QWidget *box) {
        if (qobject_cast<QInputDialog *>(box)) {
            DialogPlayer::answer(box, QStringLiteral("1"));
            QTimer::singleShot(0, [&] {
                window.helpMenu().trigger();
                HelpWindow *help = openHelpWindow();
                std::fprintf(stderr, "help window open %d\n", help != nullptr);
                if (help)
                    help->close();
                std::fprintf(stderr, "help window closed, main window open %d\n", window.isVisible());
                ballAtHelpClose = form.fiende.Top();
                watchBall.start(1);
            });
        } else if (DialogPlayer::isGameOver(box)) {
            DialogPlayer::pressOk(box);
        }
    });
    QTimer::singleShot(0, [&] { window.newMenu().trigger(); });
    runUntilTheEnd(window, "closing the help window first");
}

TEST(AwkwardOrdersDeathTest, HelpWindowClosedFirstLeavesTheGameRunningToItsEnd)
{
    EXPECT_EXIT(closeTheHelpWindowFirst(), testing::ExitedWithCode(0),
                "asked #1: " + literally(NewGameQuestion) +
                    "\nhelp window open 1\nhelp window closed, main window open 1\nthe game goes on\n" +
                    endsWithTheGameOver(1, "[0-9]+"));
}

// --- A megabyte pasted into the input box -------------------------------------------

struct Paste {
    const char *name;
    QString text;
    QString message;
};

void PrintTo(const Paste &paste, std::ostream *out) { *out << paste.name; }

class PasteIntoTheInputBox : public testing::TestWithParam<Paste> {};

// No game runs, so the balls rest below the field and nothing can end the program here.
TEST_P(PasteIntoTheInputBox, IsAnsweredLikeAnyOtherAnswer)
{
    const Paste &paste = GetParam();
    Watchdog watchdog("a megabyte pasted into the input box");
    MainWindow window;
    window.showCentred();
    QApplication::clipboard()->setText(paste.text);
    qsizetype pasted = 0;
    QStringList messages;
    DialogPlayer player([&](QWidget *box) {
        if (auto *input = qobject_cast<QInputDialog *>(box)) {
            auto *field = input->findChild<QLineEdit *>();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            pasted = input->textValue().size();
            input->accept();
        } else if (auto *message = qobject_cast<QMessageBox *>(box)) {
            messages << message->text();
            DialogPlayer::pressOk(box);
        }
    });
    window.newMenu().trigger();

    EXPECT_GT(pasted, 1000) << "the paste reached the field";
    EXPECT_EQ(messages, QStringList{paste.message});
    EXPECT_FALSE(window.form().tmrEnemy.Enabled() || window.form().tmrEnemy2.Enabled() ||
                 window.form().tmrEnemy3.Enabled());
}

QString megabyteOf(const QString &piece)
{
    return piece.repeated((1 << 20) / piece.size());
}

INSTANTIATE_TEST_SUITE_P(
    AwkwardOrders, PasteIntoTheInputBox,
    testing::Values(Paste{"nines", megabyteOf(QStringLiteral("9")), OnlyOneToThree},
                    Paste{"spaces", megabyteOf(QStringLiteral(" ")), OnlyOneToThree},
                    Paste{"swedishText", megabyteOf(QStringLiteral("två bollar ")), OnlyOneToThree},
                    Paste{"exponents", megabyteOf(QStringLiteral("1e9")), OnlyOneToThree},
                    Paste{"zeros", megabyteOf(QStringLiteral("0")), Desperate}),
    [](const testing::TestParamInfo<Paste> &info) { return info.param.name; });

// --- Keys held down ----------------------------------------------------------------

struct HeldKey {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    float (*expectedLeft)(int presses);
    float (*expectedTop)(int presses);
};

void PrintTo(const HeldKey &held, std::ostream *out) { *out << held.name; }

// Where the player stands after n presses of one arrow key from the start position:
// the start row first, then laps of 30 across or 31 up and down.
float rightAfter(int n) { return n <= 16 ? 1320.0f + 100.0f * n : 60.0f + 100.0f * ((n - 17) % 30); }
float leftAfter(int n) { return n <= 12 ? 1320.0f - 100.0f * n : 2999.0f - 100.0f * ((n - 13) % 30); }
float upAfter(int n) { return n <= 22 ? 2280.0f - 100.0f * n : 3050.0f - 100.0f * ((n - 23) % 31); }
float downAfter(int n) { return n <= 8 ? 2280.0f + 100.0f * n : 50.0f + 100.0f * ((n - 9) % 31); }
float startLeft(int) { return 1320; }
float startTop(int) { return 2280; }

class KeyHeldDown : public testing::TestWithParam<HeldKey> {};

// Thousands of repeated key-down events, with the event loop running between bursts
// (and with it the collision check; no game runs, so it finds nothing).
TEST_P(KeyHeldDown, MovesOneStepPerRepeatAndStaysInTheField)
{
    const HeldKey &held = GetParam();
    constexpr int Repeats = 5000;
    Watchdog watchdog("a key held down");
    MainWindow window;
    window.showCentred();
    window.activateWindow();
    const FrmTolvarn &form = window.form();

    for (int n = 1; n <= Repeats; ++n) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        QKeyEvent press(QEvent::KeyPress, held.key, held.modifiers, QString(), n > 1);
        QApplication::sendEvent(target, &press);
        ASSERT_EQ(form.shMove.Left(), held.expectedLeft(n)) << "after " << n << " presses";
        ASSERT_EQ(form.shMove.Top(), held.expectedTop(n)) << "after " << n << " presses";
        if (n % 250 == 0)
            QApplication::processEvents();
    }
    QKeyEvent release(QEvent::KeyRelease, held.key, held.modifiers);
    QApplication::sendEvent(&window, &release);
    QApplication::processEvents();
    EXPECT_EQ(form.shMove.Left(), held.expectedLeft(Repeats));
    EXPECT_EQ(form.shMove.Top(), held.expectedTop(Repeats));
}

INSTANTIATE_TEST_SUITE_P(
    AwkwardOrders, KeyHeldDown,
    testing::Values(HeldKey{"right", Qt::Key_Right, Qt::NoModifier, rightAfter, startTop},
                    HeldKey{"left", Qt::Key_Left, Qt::NoModifier, leftAfter, startTop},
                    HeldKey{"up", Qt::Key_Up, Qt::NoModifier, startLeft, upAfter},
                    HeldKey{"down", Qt::Key_Down, Qt::NoModifier, startLeft, downAfter},
                    HeldKey{"shiftControlRight", Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier, rightAfter,
                            startTop},
                    HeldKey{"letterA", Qt::Key_A, Qt::NoModifier, startLeft, startTop}),
    [](const testing::TestParamInfo<HeldKey> &info) { return info.param.name; });

} // namespace
