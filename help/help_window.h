// The help window: a picture of the game, the arrow keys and two short texts.
#pragma once

#include "platform/runtime.h"

#include <QWidget>

class HelpWindow : public QWidget, public platform::Window {
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the window centred, or brings the open one to the front.
    void Show() override;
};
