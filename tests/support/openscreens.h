#pragma once

#include "ui/screen.h"
#include "ui/screens/connectingnotice.h"

#include <QApplication>

namespace hakobee::test {

// Deletes every screen still open. Screens refer to the seams of the
// fixture that opened them, so they go before the fixture does.
inline void closeAllScreens()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Screen*>(window))
            delete window;
    }
}

// True while the connecting notice is on show.
inline bool connectingNoticeVisible()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<ConnectingNoticeWindow*>(window) && window->isVisible())
            return true;
    }
    return false;
}

} // namespace hakobee::test
