#include "platform/qt/qt_keys.h"

#include "platform/key_codes.h"

namespace platform {

std::int16_t keyCodeOf(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Left: return keys::Left;
    case Qt::Key_Up: return keys::Up;
    case Qt::Key_Right: return keys::Right;
    case Qt::Key_Down: return keys::Down;
    default: return 0;
    }
}

} // namespace platform
