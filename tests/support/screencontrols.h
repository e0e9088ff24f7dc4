#pragma once

#include "ui/screens/connectingnotice.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace hakobee::test {

// The text a screen shows in its control of that object name: a label's,
// a button's or a field's text, a frame's title; a marker naming the control when the
// screen has none of that name, so a comparison says what is missing.
inline QString textOf(QWidget* screen, const QString& name)
{
    if (auto* label = screen->findChild<QLabel*>(name))
        return label->text();
    if (auto* button = screen->findChild<QPushButton*>(name))
        return button->text();
    if (auto* field = screen->findChild<QLineEdit*>(name))
        return field->text();
    if (auto* frame = screen->findChild<QGroupBox*>(name))
        return frame->title();
    return u"<no control %1>"_qs.arg(name);
}

// The connecting notice while it is on screen, or null.
inline ConnectingNoticeWindow* visibleNotice()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* notice = qobject_cast<ConnectingNoticeWindow*>(window);
            notice && notice->isVisible())
            return notice;
    }
    return nullptr;
}

// The progress screen's squares (txtprogress) and its cancel button (comcancel1).
inline QLineEdit* squaresOf(QWidget* progressScreen)
{
    return progressScreen->findChild<QLineEdit*>(u"txtprogress"_qs);
}
inline QPushButton* cancelButtonOf(QWidget* progressScreen)
{
    return progressScreen->findChild<QPushButton*>(u"comcancel1"_qs);
}

} // namespace hakobee::test
