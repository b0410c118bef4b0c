// Torvi: where the main window's page area and the right end of its toolbar go, in twips,
// at start-up and on every resize. The window keeps one and applies it to its widgets.
#pragma once

#include "app/main_geometry.h"

namespace torvi {

struct MainLayout
{
    float image2Left = MainDesign::Image2.left;
    float image2Width = MainDesign::Image2.width;
    float list1Left = MainDesign::List1.left;
    float list1Width = MainDesign::List1.width;
    float webBrowser1Left = MainDesign::WebBrowser1.left;
    float webBrowser1Top = MainDesign::WebBrowser1.top;
    float webBrowser1Width = MainDesign::WebBrowser1.width;
    float webBrowser1Height = MainDesign::WebBrowser1.height;
    float listDangerWidth = MainDesign::listDanger.width;
    float listDangerHeight = MainDesign::listDanger.height;
    float webBrowser2Width = MainDesign::WebBrowser2.width;
    float webBrowser2Height = MainDesign::WebBrowser2.height;
    float image1Left = MainDesign::Image1.left;
    float image1Width = MainDesign::Image1.width;
    float text1Width = MainDesign::Text1.width;
    float command2Left = MainDesign::Command2.left;
    float command2Width = MainDesign::Command2.width;
    float statusBar2Height = MainDesign::StatusBar2Height;
};

// The start-up sizing: the page W - W/20 by H - H/20, and the other two views alike.
void startupLayout(MainLayout &layout, float outerWidth, float outerHeight);

// Form_Resize for the outer size W × H: the menu button and list, the page, the other two
// views, the go picture and the address box, in that order. A width or height that would
// come out negative ends it there, what came before staying done; negative left edges are
// accepted.
void formResize(MainLayout &layout, float outerWidth, float outerHeight);

} // namespace torvi
