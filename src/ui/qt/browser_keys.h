// Torvi: the keys a browser user expects, the same in every browser window.
#pragma once

#include <QWidget>
#include <functional>
#include <initializer_list>

class QLineEdit;

namespace torvi {

struct BrowserKeyActions
{
    std::function<void()> back;
    std::function<void()> forward;
    std::function<void()> refresh;
    std::function<void()> stop;
};

// Ctrl+L and F6 select the address box; Alt+Left/Right, F5 and Esc run the actions (each
// goes through the window's navigation hub like its button). Tab follows toolbarOrder.
void bindBrowserKeys(QWidget &window, QLineEdit &addressBox, BrowserKeyActions actions,
                     std::initializer_list<QWidget *> toolbarOrder);

} // namespace torvi
