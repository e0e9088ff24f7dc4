#include "ui/screenhost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace hakobee {

void ScreenHost::present(Screen* screen)
{
    QWidget* window = screen;
    if (container_) {
        auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget());
        if (!frame) {
            const QPoint position = screen->pos();
            screen->ownSize();
            frame = container_->addSubWindow(screen);
            frame->setAttribute(Qt::WA_DeleteOnClose);
            // The frame around the screen's own size (its size hint), not
            // around the least its layout can live with.
            frame->resize(frame->sizeHint());
            frame->move(position);
        }
        window = frame;
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    } else {
        window->show();
    }
    if (container_)
        container_->setActiveSubWindow(static_cast<QMdiSubWindow*>(window));
}

} // namespace hakobee
