// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "help/help_window.h"

#include "help/wrapped_label.h"
#include "platform/desktop/frame.h"
#include "platform/forms/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

namespace help {

namespace {

using forms::pixelRect;

// The client area and the boxes of the controls, in twips.
constexpr double ClientWidth = 9120;
constexpr double ClientHeight = 3600;
constexpr QRectF Picture2Box(6240, 600, 1815, 1215);
constexpr QRectF Picture1Box(120, 120, 4455, 3375);
constexpr QRectF lblInfo2Box(4920, 1920, 4095, 1455);
constexpr QRectF lblInformationBox(4920, 120, 3975, 1695);

const char *const InstructionPicture = ":/help/instruction.jpg";
const char *const ArrowKeysPicture = ":/help/arrow_keys.gif";

// The goal, then a run of spaces that carries the next words down to the lower part
// of the box, beside the arrow keys they refer to.
constexpr int SpacesBeforeKeys = 421;

QString goalText()
{
    return QStringLiteral("Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) och sedan hålla "
                          "dig levande så länge som du kan.")
        + QString(SpacesBeforeKeys, u' ') + QStringLiteral("Använd dig av: ");
}

// On a scaled screen a picture is smoothed to the screen's pixels rather than blown
// up block by block.
QPixmap pictureForScreen(const char *image, qreal ratio)
{
    const QPixmap picture(QString::fromLatin1(image));
    if (ratio == 1.0)
        return picture;
    QPixmap scaled = picture.scaled(picture.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

// A picture shown at its own size from the box's top-left corner; where it does not
// reach or is transparent, the box shows the window's background.
void newPicture(const char *image, const QString &name, const QRectF &box, QWidget *parent)
{
    auto *picture = new QLabel(parent);
    picture->setAccessibleName(name);
    picture->setGeometry(pixelRect(box));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(pictureForScreen(image, parent->devicePixelRatioF()));
    picture->setBackgroundRole(QPalette::Button);
    picture->setAutoFillBackground(true);
    picture->setFocusPolicy(Qt::NoFocus);
}

void newLabel(const QString &caption, const QRectF &box, QWidget *parent)
{
    auto *label = new WrappedLabel(caption, parent);
    label->setGeometry(pixelRect(box));
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent)
{
    desktop::setFixedFrame(*this, QStringLiteral("Hjälp"));
    setFixedSize(forms::pixelSize(ClientWidth, ClientHeight));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFont(windowFont());

    // Made back to front: each control is drawn over those made before it.
    newLabel(goalText(), lblInformationBox, this);
    newLabel(QStringLiteral("Om du dör så får du starta om programmet och testa igen."), lblInfo2Box, this);
    newPicture(InstructionPicture, QStringLiteral("Bild av spelet"), Picture1Box, this);
    newPicture(ArrowKeysPicture, QStringLiteral("Piltangenterna"), Picture2Box, this);
}

QFont HelpWindow::windowFont()
{
    // Debian's fonts-urw-base35 brings this face.
    QFont font(QStringLiteral("Nimbus Sans Narrow"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    // The window only displays: keys do nothing here and go nowhere else.
    event->accept();
}

} // namespace help
