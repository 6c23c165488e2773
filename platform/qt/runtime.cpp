// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/runtime.h"

#include "platform/desktop/activation.h"
#include "platform/desktop/frame.h"
#include "platform/desktop/modal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace qtforms {

namespace {

// A message box whose window can be made before it is shown.
class ReadyMessageBox : public QMessageBox {
    Q_OBJECT

public:
    using QMessageBox::QMessageBox;

    // QWidget::create() makes the box's own window and nothing else. winId() would
    // also mark the box a native widget, and Qt then turns every child of its parent
    // into a native window too, the game's field among them: on Wayland that is a
    // sub-surface, whose new pictures reach the screen only when the main window's
    // own surface is next committed, so the balls and the clock stopped showing.
    void makeWindow() { create(); }
};

// A title left empty is the program's name, as on every dialog that has none of its own.
QString titleOrProgramName(const QString &title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}
} // namespace

Runtime::Runtime(QWidget *dialogParent, std::function<std::unique_ptr<QWidget>()> makeHelpWindow,
    std::function<void()> beforeWaiting)
    : m_dialogParent(dialogParent), m_beforeWaiting(std::move(beforeWaiting)),
      m_makeHelpWindow(std::move(makeHelpWindow))
{}

void Runtime::waitForUser(QDialog &dialog)
{
    if (m_beforeWaiting)
        m_beforeWaiting();
    dialog.exec();
}

QString Runtime::InputBox(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    QInputDialog dialog(m_dialogParent);
    desktop::setDialogFrame(dialog, titleOrProgramName(title));
    desktop::keepOverParent(dialog);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    // Qt takes these from the desktop's theme, not from its Swedish catalogue.
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Avbryt"));
    // The box takes its width from its field, and its title needs more than the prompt.
    dialog.findChild<QLineEdit *>()->setMinimumWidth(desktop::titleBarWidth(dialog.windowTitle()));
    waitForUser(dialog);
    const bool accepted = dialog.result() == QDialog::Accepted;
    // An answer can start a game, and a game can end in a message: have one ready.
    if (!m_readyMessageBox)
        m_readyMessageBox = newMessageBox();
    return accepted ? dialog.textValue() : QString();
}

void Runtime::MsgBox(const QString &text)
{
    // A message shown while another is open gets a box of its own.
    std::unique_ptr<QMessageBox> box = m_readyMessageBox ? std::move(m_readyMessageBox) : newMessageBox();
    box->setText(text);
    // Without a window manager, X stacks windows in the order they were made, and a
    // box made ahead of time would come up under every window made since.
    box->raise();
    waitForUser(*box);
    if (!m_readyMessageBox)
        m_readyMessageBox = std::move(box);
}

std::unique_ptr<QMessageBox> Runtime::newMessageBox() const
{
    auto box
        = std::make_unique<ReadyMessageBox>(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok, m_dialogParent);
    desktop::setDialogFrame(*box, titleOrProgramName({}));
    desktop::keepOverParent(*box);
    // The box takes its width from its text, and its title needs more than a short one.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        grid->addItem(new QSpacerItem(desktop::titleBarWidth(box->windowTitle()), 0), grid->rowCount(), 0, 1, -1);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK")); // not the desktop theme's word
    // Laying out a first text loads the font's glyphs and sizes the box, and the window
    // system's window is made now: all of it out of the way of the moment it shows.
    box->setText(QStringLiteral("abcdefghijklmnopqrstuvwxyzåäö ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖ 0123456789 .,:;!?-"));
    box->ensurePolished();
    box->adjustSize();
    box->makeWindow();
    return box;
}

void installSwedishQtTexts()
{
    auto *texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QStringLiteral("qt_sv"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
    else
        delete texts;
}

void Runtime::Randomize()
{
    seedFrom(QDateTime::currentMSecsSinceEpoch());
}

void Runtime::seedFrom(qint64 msecsSinceEpoch)
{
    m_random.seed(static_cast<quint32>(msecsSinceEpoch));
}

float fractionOf(quint32 randomBits)
{
    // The top 24 bits fill a float's mantissa exactly, so the value can never round up to 1.
    return static_cast<float>(randomBits >> 8) / static_cast<float>(1u << 24);
}

float Runtime::Rnd()
{
    return fractionOf(m_random.generate());
}

void Runtime::ShowHelp()
{
    if (!m_helpWindow)
        m_helpWindow = m_makeHelpWindow();
    // An open window stays where the user left it; a hidden one comes back centred.
    if (!m_helpWindow->isVisible())
        desktop::showCentred(*m_helpWindow);
    desktop::bringToFront(*m_helpWindow);
}

void Runtime::End()
{
    // The end is immediate, as the game promises: no event loop runs again, so no
    // handler can go on with an answer or a tick from before the end.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace qtforms

#include "runtime.moc"
