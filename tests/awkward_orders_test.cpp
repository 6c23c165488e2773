// The real windows on the offscreen platform, driven in the orders that players find by
// accident: touches while a box is open, two touches at once, "Nytt spel" in the middle
// of a game, windows closed in either order, a megabyte pasted, keys held for long.
// Where the program's end is expected, the game runs in a child process (a death test)
// that reports each box it sees, so that the end can be checked.
#include "app/main_window.h"
#include "help/help_window.h"
#include "named_rows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

namespace {

using namespace std::string_literals;
using namespace Qt::StringLiterals;

// A hang ends the process by SIGALRM after a minute (for slow sanitizer builds), failing one test.
struct Watchdog {
    Watchdog() { alarm(60); }
    ~Watchdog() { alarm(0); }
};

// Plays the user: each new box is reported once on stderr ("asked #1: ...") and handed to the script.
void playDialogs(QWidget &window, std::function<void(QWidget *box)> script)
{
    auto *poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [script = std::move(script), asked = 0, told = 0]() mutable {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || box->property("seen").toBool())
            return;
        box->setProperty("seen", true);
        if (auto *input = qobject_cast<QInputDialog *>(box))
            std::fprintf(stderr, "asked #%d: %s\n", ++asked, qPrintable(input->labelText()));
        else if (auto *message = qobject_cast<QMessageBox *>(box))
            std::fprintf(stderr, "told #%d: %s\n", ++told, qPrintable(message->text()));
        std::fflush(stderr);
        script(box);
    });
    poll->start(2);
}

void reply(QWidget *box, const QString &text)
{
    auto *input = qobject_cast<QInputDialog *>(box);
    input->setTextValue(text);
    input->accept();
}
void pressOk(QWidget *box) { qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click(); }
bool isGameOver(QWidget *box)
{
    auto *message = qobject_cast<QMessageBox *>(box);
    return message && message->text().startsWith(u"Bravo!"_s);
}

// A death-test pattern: punctuation as any byte, non-ASCII as 1-4 bytes (locale may not be UTF-8).
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

const QString OnlyOneToThree = QStringLiteral("Bara 1-3 fungerar!");
const QString TooMany = QStringLiteral("För mycket.");
const QString Desperate = QStringLiteral("0 Bollar? Du är verkligen desperat.");

std::string asked(int n) { return "asked #" + std::to_string(n) + ": " + literally(u"Hur många bollar vill du ha? 1-3."_s) + "\n"; }
std::string told(int n, const QString &text) { return "told #" + std::to_string(n) + ": " + literally(text) + "\n"; }
// The report's last line: the program ended at the game-over message, box n.
std::string endsWithTheGameOver(int n, const char *seconds = "0")
{
    return "told #" + std::to_string(n) + ": " + literally(u"Bravo! Tyvärr så klarade du bara: "_s) + seconds +
           literally(u" sekunder. Ett till försök kanske?"_s) + "\n$";
}
const std::string TheEventLoopEnded = "the event loop ended\n$";

void putOnPlayer(FrmTolvarn &form, platform::Shape &ball, float dx = 0, float dy = 0)
{
    ball.setLeft(form.shMove.Left() + dx);
    ball.setTop(form.shMove.Top() + dy);
}

// The child: the program's end exits 0, the event loop ending (last window closed) exits 5.
using Scene = std::function<void(MainWindow &, FrmTolvarn &)>;
[[noreturn]] void runChild(const Scene &scene, bool newGame = true)
{
    // Qt's notes (offscreen "propagateSizeHints()") would break up the report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    MainWindow window;
    scene(window, window.form());
    if (newGame)
        QTimer::singleShot(0, &window, [&window] { window.newMenu().trigger(); });
    const Watchdog watchdog;
    window.showCentred();
    QApplication::exec();
    std::fprintf(stderr, "the event loop ended\n");
    std::fflush(stderr);
    std::_Exit(5);
}

HelpWindow *openHelpWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *help = dynamic_cast<HelpWindow *>(widget); help && help->isVisible())
            return help;
    return nullptr;
}

// A touch while the second "Nytt spel" box is open: the game-over message comes over it.
void touchWhileTheInputBoxIsOpen(MainWindow &window, FrmTolvarn &form)
{
    playDialogs(window, [&window, &form, inputBoxes = 0](QWidget *box) mutable {
        if (qobject_cast<QInputDialog *>(box) && ++inputBoxes == 1) {
            reply(box, QStringLiteral("1"));
            QTimer::singleShot(0, [&window] { window.newMenu().trigger(); });
        } else if (qobject_cast<QInputDialog *>(box)) {
            putOnPlayer(form, form.fiende, 0, 100);
        } else if (isGameOver(box)) {
            pressOk(box);
        }
    });
}

// Touches while the refusal is open and while the game-over message is open.
Scene touchWhileTheAnswerIsRefused(const char *answer)
{
    return [answer](MainWindow &window, FrmTolvarn &form) {
        playDialogs(window, [answer, &form](QWidget *box) {
            if (qobject_cast<QInputDialog *>(box)) {
                reply(box, QString::fromLatin1(answer));
            } else if (isGameOver(box)) {
                putOnPlayer(form, form.fiende2, -200, 200);
                QTimer::singleShot(100, box, [box] { pressOk(box); });
            } else {
                putOnPlayer(form, form.fiende, 254, 254);
            }
        });
    };
}

// Balls placed in one event, so one check finds them all; timers tick on under the message.
[[noreturn]] void touchesInTheSameTick(const char *answer, std::vector<platform::Shape FrmTolvarn::*> balls)
{
    runChild([&](MainWindow &window, FrmTolvarn &form) {
        auto placeBalls = [&form, balls] {
            for (std::size_t i = 0; i < balls.size(); ++i)
                putOnPlayer(form, form.*balls[i], 60.0f * i, -60.0f * i);
        };
        playDialogs(window, [answer, placeBalls](QWidget *box) {
            if (qobject_cast<QInputDialog *>(box)) {
                reply(box, QString::fromLatin1(answer));
                QTimer::singleShot(0, placeBalls);
            } else if (isGameOver(box)) {
                QTimer::singleShot(150, box, [box] { pressOk(box); });
            }
        });
        if (!*answer)
            QTimer::singleShot(0, placeBalls);
    }, *answer);
}

// A second answer in a ticking three-ball game showing 7: the timers, clock and balls are reported.
Scene answerDuringAGame(const QString &second)
{
    return [second](MainWindow &window, FrmTolvarn &form) {
        auto askAgain = [&window, &form] {
            const float ball3Before = form.fiende3.Top();
            form.lblTid.setCaption(QStringLiteral("7"));
            window.newMenu().trigger();
            std::fprintf(stderr, "timers: clock %d, ball timers %d%d%d; clock shows %s; balls went on: %s\n",
                         form.tmrTid.Enabled(), form.tmrEnemy.Enabled(), form.tmrEnemy2.Enabled(),
                         form.tmrEnemy3.Enabled(), qPrintable(form.lblTid.Caption()),
                         form.tmrEnemy3.Interval() < 100 && form.fiende3.Top() < 3100 && ball3Before < 3100 ? "yes"
                                                                                                             : "no");
            window.close();
        };
        auto *firstTick = new QTimer(&window);
        QObject::connect(firstTick, &QTimer::timeout, [firstTick, &form, askAgain] {
            if (form.fiende3.Top() != 3480) {
                firstTick->stop();
                QTimer::singleShot(0, askAgain);
            }
        });
        playDialogs(window, [second, firstTick, inputBoxes = 0](QWidget *box) mutable {
            auto *input = qobject_cast<QInputDialog *>(box);
            if (input && ++inputBoxes == 1) {
                reply(box, QStringLiteral("3"));
                firstTick->start(1);
            } else if (input && second.isEmpty()) {
                input->reject();
            } else if (input) {
                reply(box, second);
            } else {
                pressOk(box);
            }
        });
    };
}

// The program outlives the main window for help, the game does not; closing help ends it.
void closeTheMainWindowFirst(MainWindow &window, FrmTolvarn &form)
{
    playDialogs(window, [&window, &form](QWidget *box) {
        if (!qobject_cast<QInputDialog *>(box))
            return pressOk(box);
        reply(box, QStringLiteral("3"));
        QTimer::singleShot(0, [&window, &form] {
            window.helpMenu().trigger();
            window.close();
            std::fprintf(stderr, "main window closed, help window open %d\n", openHelpWindow() != nullptr);
            putOnPlayer(form, form.fiende);
            QTimer::singleShot(300, [&form, ball3 = form.fiende3.Top()] {
                HelpWindow *help = openHelpWindow();
                std::fprintf(stderr, "300 ms later: help window open %d, balls still %d\n", help != nullptr,
                             form.fiende3.Top() == ball3);
                if (help)
                    help->close();
            });
        });
    });
}

// Help is opened and closed during a game; the game goes on to a touch and the end.
void closeTheHelpWindowFirst(MainWindow &window, FrmTolvarn &form)
{
    auto *watchBall = new QTimer(&window);
    auto ballAtHelpClose = std::make_shared<float>();
    QObject::connect(watchBall, &QTimer::timeout, [watchBall, &form, ballAtHelpClose] {
        if (form.fiende.Top() != *ballAtHelpClose) {
            watchBall->stop();
            std::fprintf(stderr, "the game goes on\n");
            putOnPlayer(form, form.fiende);
        }
    });
    playDialogs(window, [&window, &form, watchBall, ballAtHelpClose](QWidget *box) {
        if (isGameOver(box))
            return pressOk(box);
        reply(box, QStringLiteral("1"));
        QTimer::singleShot(0, [&window, &form, watchBall, ballAtHelpClose] {
            window.helpMenu().trigger();
            HelpWindow *help = openHelpWindow();
            std::fprintf(stderr, "help window open %d\n", help != nullptr);
            if (help)
                help->close();
            std::fprintf(stderr, "help window closed, main window open %d\n", window.isVisible());
            *ballAtHelpClose = form.fiende.Top();
            watchBall->start(1);
        });
    });
}

struct Scenario {
    std::string name;
    std::function<void()> play;
    int exitCode; // 0: the program ended; 5: its last window closed
    std::string report;
};

std::vector<Scenario> scenarios()
{
    using F = FrmTolvarn;
    std::vector<Scenario> all{
        {"touchWhileTheInputBoxIsOpen", [] { runChild(touchWhileTheInputBoxIsOpen); }, 0,
         asked(1) + asked(2) + endsWithTheGameOver(1, "[0-9]+")},
        {"sameTick_balls1And2BeforeAnyGame", [] { touchesInTheSameTick("", {&F::fiende, &F::fiende2}); }, 0,
         endsWithTheGameOver(1)},
        {"sameTick_allThreeBeforeAnyGame", [] { touchesInTheSameTick("", {&F::fiende3, &F::fiende2, &F::fiende}); },
         0, endsWithTheGameOver(1)},
        {"sameTick_allThreeInAThreeBallGame", [] { touchesInTheSameTick("3", {&F::fiende, &F::fiende2, &F::fiende3}); },
         0, asked(1) + endsWithTheGameOver(1)},
        {"mainWindowClosedFirst", [] { runChild(closeTheMainWindowFirst); }, 5,
         asked(1) + "main window closed, help window open 1\n300 ms later: help window open 1, balls still 1\n" +
             TheEventLoopEnded},
        {"helpWindowClosedFirst", [] { runChild(closeTheHelpWindowFirst); }, 0,
         asked(1) + "help window open 1\nhelp window closed, main window open 1\nthe game goes on\n" +
             endsWithTheGameOver(1, "[0-9]+")},
    };
    // One game-over message, however many touches come while boxes are open.
    for (const auto &[name, answer, message] : {std::tuple{"notANumber", "tre", OnlyOneToThree},
                                                {"tooMany", "4", TooMany}, {"none", "0", Desperate}})
        all.push_back({"touchWhileRefusing_"s + name, [answer] { runChild(touchWhileTheAnswerIsRefused(answer)); }, 0,
                       asked(1) + told(1, message) + endsWithTheGameOver(2)});
    // A second answer only adds its ball timer; a slow machine's clock may tick once meanwhile.
    const struct {
        const char *name;
        QString answer, message; // an empty answer cancels
        const char *ballTimers, *clock;
    } secondAnswers[] = {
        {"one", u"1"_s, {}, "101", "[01]"}, {"two", u"2"_s, {}, "011", "[01]"},
        {"threeAgain", u"3"_s, {}, "001", "[01]"}, {"zero", u"0"_s, Desperate, "001", "[78]"},
        {"four", u"4"_s, TooMany, "001", "[78]"}, {"notANumber", u"x"_s, OnlyOneToThree, "001", "[78]"},
        {"cancelled", {}, OnlyOneToThree, "001", "[78]"}, {"twoAndAHalf", QLocale().toString(2.5), {}, "001", "[78]"},
    };
    for (const auto &second : secondAnswers)
        all.push_back({"secondAnswer_"s + second.name, [answer = second.answer] { runChild(answerDuringAGame(answer)); }, 5,
                       asked(1) + asked(2) + (second.message.isEmpty() ? "" : told(1, second.message)) +
                           "timers: clock 1, ball timers " + second.ballTimers + "; clock shows " + second.clock +
                           "; balls went on: yes\n" + TheEventLoopEnded});
    return all;
}

class AwkwardOrdersDeathTest : public testing::TestWithParam<Scenario> {};

TEST_P(AwkwardOrdersDeathTest, ReportsEveryBoxAndEndsAsExpected)
{
    EXPECT_EXIT(GetParam().play(), testing::ExitedWithCode(GetParam().exitCode), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(AwkwardOrders, AwkwardOrdersDeathTest, testing::ValuesIn(scenarios()), nameOf<Scenario>);

struct Paste {
    const char *name;
    QString piece, message; // the piece is repeated to a megabyte
};

class PasteIntoTheInputBox : public testing::TestWithParam<Paste> {};

// No game runs, so the balls rest below the field and nothing can end the program here.
TEST_P(PasteIntoTheInputBox, IsAnsweredLikeAnyOtherAnswer)
{
    const Watchdog watchdog;
    MainWindow window;
    window.showCentred();
    QApplication::clipboard()->setText(GetParam().piece.repeated((1 << 20) / GetParam().piece.size()));
    qsizetype pasted = 0;
    QStringList messages;
    playDialogs(window, [&](QWidget *box) {
        if (auto *input = qobject_cast<QInputDialog *>(box)) {
            auto *field = input->findChild<QLineEdit *>();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            pasted = input->textValue().size();
            input->accept();
        } else {
            messages << qobject_cast<QMessageBox *>(box)->text();
            pressOk(box);
        }
    });
    window.newMenu().trigger();

    EXPECT_GT(pasted, 1000) << "the paste reached the field";
    EXPECT_EQ(messages, QStringList{GetParam().message});
    const FrmTolvarn &f = window.form();
    EXPECT_FALSE(f.tmrEnemy.Enabled() || f.tmrEnemy2.Enabled() || f.tmrEnemy3.Enabled());
}

INSTANTIATE_TEST_SUITE_P(AwkwardOrders, PasteIntoTheInputBox,
                         testing::Values(Paste{"nines", u"9"_s, OnlyOneToThree}, Paste{"spaces", u" "_s, OnlyOneToThree},
                                         Paste{"swedishText", u"två bollar "_s, OnlyOneToThree},
                                         Paste{"exponents", u"1e9"_s, OnlyOneToThree}, Paste{"zeros", u"0"_s, Desperate}),
                         nameOf<Paste>);

// The player after n presses of one key from the start: laps of 30 across or 31 up and down.
float rightAfter(int n) { return n <= 16 ? 1320.0f + 100.0f * n : 60.0f + 100.0f * ((n - 17) % 30); }
float leftAfter(int n) { return n <= 12 ? 1320.0f - 100.0f * n : 2999.0f - 100.0f * ((n - 13) % 30); }
float upAfter(int n) { return n <= 22 ? 2280.0f - 100.0f * n : 3050.0f - 100.0f * ((n - 23) % 31); }
float downAfter(int n) { return n <= 8 ? 2280.0f + 100.0f * n : 50.0f + 100.0f * ((n - 9) % 31); }
float startLeft(int) { return 1320; }
float startTop(int) { return 2280; }

struct HeldKey {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    float (*expectedLeft)(int presses), (*expectedTop)(int presses);
};

class KeyHeldDown : public testing::TestWithParam<HeldKey> {};

// Auto-repeated key-downs, with the event loop (and the idle collision check) run between bursts.
TEST_P(KeyHeldDown, MovesOneStepPerRepeatAndStaysInTheField)
{
    const HeldKey &held = GetParam();
    constexpr int Repeats = 5000;
    const Watchdog watchdog;
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
    nameOf<HeldKey>);

} // namespace
