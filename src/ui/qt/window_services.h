// Torvi: what every browser window needs from the rest of the program: the navigation hub,
// the message boxes, the maker of engine instances and the endpoints of this run. Made once
// at start-up; the main window's MainServices adds what only it uses.
#pragma once

#include "nav/endpoints.h"
#include "nav/navigation_hub.h"
#include "ui/qt/engine_view.h"
#include "ui/qt/message_boxes.h"

namespace torvi {

struct WindowServices
{
    NavigationHub &hub;
    MessageBoxes &messageBoxes;
    EngineFactory engineFactory;
    // The program reads torvi.conf into these at start-up; without it, the built-in ones.
    Endpoints endpoints = builtInEndpoints();
};

} // namespace torvi
