// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "app/gnome_title_bars.h"

#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <QtGlobal>

namespace app {

namespace {

bool gnomeOnWayland()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland"
        && desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
}

// Qt 6.8 and later bring the "adwaita" title bars, drawn in GNOME's style.
bool qtHasGnomeTitleBars()
{
    const QDir decorations(
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/wayland-decoration-client"));
    return !decorations.entryList({QStringLiteral("*adwaita*")}, QDir::Files).isEmpty();
}

} // namespace

// Mutter draws no title bars for Wayland programs: a Qt program draws its own, and the
// only ones that Qt before 6.8 brings ("bradient") offer minimise and maximise on
// every window, a fixed one too. Through Xwayland mutter draws GNOME's own title bars
// and honours what the window allows (a fixed size, no minimise, no maximise) and
// whom a dialog belongs to. Qt 5 made the same choice on GNOME for the same reason.
// The game passes Qt no command line, so the player chooses the platform only with
// QT_QPA_PLATFORM; "xcb;wayland" still opens on Wayland should Xwayland fail.
void runOnXwaylandWhereQtLacksGnomeTitleBars()
{
    if (gnomeOnWayland() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")
        && !qtHasGnomeTitleBars())
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace app
