// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Draws the game's clock as the field draws it, counts 0 to N, one PNG a count in
// DIR: what the Wayland display test expects where the clock stands. The scale is
// QT_SCALE_FACTOR's.
//   clock_faces N DIR
#include "app/main_window.h"
#include "platform/forms/twips.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    QApplication app(argc, argv);
    app::MainWindow window;
    const QRect clock = forms::pixelRect(window.form().lblTid.box());
    for (int count = 0; count <= std::atoi(argv[1]); ++count) {
        window.form().lblTid.setCaption(QString::number(count));
        if (!window.fieldView().grab(clock).save(QStringLiteral("%1/%2.png").arg(argv[2]).arg(count)))
            return 1;
    }
    return 0;
}
