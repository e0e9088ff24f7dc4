#pragma once

#include "ui/screen.h"
#include "ui/screens/connectingnotice.h"

#include <QApplication>
#include <QPointer>

namespace hakobee::test {

// Deletes every screen still open. Screens refer to the seams of the
// fixture that opened them, so they go before the fixture does.
inline void closeAllScreens()
{
    // Deleting one window deletes the windows it owns (a connecting notice
    // not yet gone): hold them all by guarded pointers first.
    QList<QPointer<Screen>> screens;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* screen = qobject_cast<Screen*>(window))
            screens.append(screen);
    }
    for (const QPointer<Screen>& screen : screens)
        delete screen.data();
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
