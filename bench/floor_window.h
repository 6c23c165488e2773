// The animation floor: a window of the game's size with the same menu bar, whose own
// 15 ms timer moves three circles of the balls' size down a white field, as far a tick
// as the balls of a three-ball game fall. No program shows that picture for less.
#pragma once

#include <QMainWindow>

namespace bench {

class FloorField;

class FloorWindow : public QMainWindow {
public:
    FloorWindow();

    // Shows the window centred on its screen, as the game shows its own.
    void showCentred();
    // The circles start to fall.
    void play();

private:
    FloorField *m_field = nullptr;
};

} // namespace bench
