// Torvi: what every browser window needs from the rest of the program: the navigation hub,
// the message boxes and the maker of engine instances. Made once at start-up; the main
// window's MainServices adds what only it uses.
#pragma once

#include "nav/navigation_hub.h"
#include "ui/qt/engine_view.h"
#include "ui/qt/message_boxes.h"

namespace torvi {

struct WindowServices
{
    NavigationHub &hub;
    MessageBoxes &messageBoxes;
    EngineFactory engineFactory;
};

} // namespace torvi
