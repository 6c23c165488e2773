// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// What a screen reader is given: the painted texts and the clock as text, the pictures
// and the field by name, and only the windows a player sees.
#include "app/main_window.h"
#include "help/help_window.h"
#include "platform/qt/accessible.h"
#include "window_probes.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Asks for each widget's accessible interface as the widget joins its parent, still
// half built, as Qt 6.11 does while a screen reader listens; Qt keeps what it got then.
class AskingWhileBuilt : public QObject {
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded)
            QAccessible::queryAccessibleInterface(static_cast<QChildEvent *>(event)->child());
        return false;
    }
};

// Also for windows made while a screen reader listens, as help is.
TEST(ScreenReader, ReadsWhatAPlayerSeesAndNoHiddenWindow)
{
    qtforms::serveScreenReaders();
    AskingWhileBuilt asking;
    qApp->installEventFilter(&asking);
    help::HelpWindow help;
    app::MainWindow game;
    qApp->removeEventFilter(&asking);
    const QString goal = QStringLiteral("Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) "
                                        "och sedan hålla dig levande så länge som du kan. Använd dig av:");
    const QString restart = QStringLiteral("Om du dör så får du starta om programmet och testa igen.");
    const std::tuple<QWidget *, QAccessible::Role, QString> rows[] = {{&help, QAccessible::StaticText, goal},
        {&help, QAccessible::StaticText, restart}, {&help, QAccessible::Graphic, QStringLiteral("Bild av spelet")},
        {&help, QAccessible::Graphic, QStringLiteral("Piltangenterna")},
        {&game, QAccessible::Client, QStringLiteral("Spelplan")}};
    for (const auto &[window, role, name] : rows) {
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(findByName(*window, name));
        ASSERT_TRUE(read) << "nothing named " << name.toStdString();
        EXPECT_EQ(read->role(), role) << name.toStdString();
        EXPECT_EQ(read->text(QAccessible::Name), name);
        if (role == QAccessible::StaticText) {
            EXPECT_EQ(read->textInterface()->text(0, -1), name);
        }
    }
    game.form().lblTid.setCaption(QStringLiteral("12"));
    QAccessibleInterface *clock = QAccessible::queryAccessibleInterface(findByName(game, "Spelplan"))->child(0);
    EXPECT_EQ(clock->text(QAccessible::Name), QStringLiteral("12"));
    EXPECT_EQ(clock->textInterface()->text(0, -1), QStringLiteral("12"));

    QAccessibleInterface *program = QAccessible::queryAccessibleInterface(qApp);
    help.show();
    help.close();
    EXPECT_EQ(program->childCount(), 0) << "a closed window and one never shown";
    game.show();
    ASSERT_EQ(program->childCount(), 1);
    EXPECT_EQ(program->child(0)->object(), &game);
}

} // namespace
