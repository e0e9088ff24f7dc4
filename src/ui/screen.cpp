#include "ui/screen.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace hakobee {

Screen::Screen(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void Screen::closeScreen()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void Screen::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // A screen closed from inside (its own button) takes its sub-window frame along.
    if (event->isAccepted()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            frame->deleteLater();
    }
}

} // namespace hakobee
