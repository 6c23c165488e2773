// What the program does between making its application object and its first event.
#pragma once

#include "app/main_window.h"

#include <memory>

// Qt's own texts in Swedish, what a screen reader is given, the program's name on
// dialogs and in the desktop's eyes, and the main window shown centred.
std::unique_ptr<MainWindow> startUp();
