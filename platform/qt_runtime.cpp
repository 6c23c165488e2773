#include "platform/qt_runtime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QInputDialog>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
// A title left empty is the program's name, as on every dialog that has none of its own.
QString titleOrProgramName(const QString &title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}
} // namespace

QtRuntime::QtRuntime(QWidget *dialogParent, WindowFactory newHelpWindow)
    : m_dialogParent(dialogParent), m_newHelpWindow(std::move(newHelpWindow))
{
}

QString QtRuntime::InputBox(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    QInputDialog dialog(m_dialogParent);
    dialog.setWindowTitle(titleOrProgramName(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void QtRuntime::MsgBox(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, titleOrProgramName({}), text, QMessageBox::Ok, m_dialogParent);
    box.exec();
}

void QtRuntime::Randomize()
{
    m_random.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

float QtRuntime::Rnd()
{
    // 24 random bits fill a float's mantissa exactly, so the value can never round up to 1.
    constexpr quint32 steps = 1u << 24;
    return static_cast<float>(m_random.bounded(steps)) / static_cast<float>(steps);
}

std::unique_ptr<Window> QtRuntime::NewHelpWindow()
{
    return m_newHelpWindow();
}

void QtRuntime::End()
{
    // The end is immediate, as the game promises: no event loop runs again, so no
    // handler can go on with an answer or a tick from before the end.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace platform
