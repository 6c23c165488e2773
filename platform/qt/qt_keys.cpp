#include "platform/qt/qt_keys.h"

#include "platform/key_codes.h"

namespace platform {

std::int16_t keyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Left: return keys::Left;
    case Qt::Key_Up: return keys::Up;
    case Qt::Key_Right: return keys::Right;
    case Qt::Key_Down: return keys::Down;
    default: break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    return 0;
}

std::int16_t shiftStateOf(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    std::int16_t state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= keys::ShiftMask;
    if (modifiers & Qt::ControlModifier)
        state |= keys::CtrlMask;
    if (modifiers & Qt::AltModifier)
        state |= keys::AltMask;
    return state;
}

} // namespace platform
