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

QSize Screen::ownSize() const
{
    // Fixed the first time it is asked for, which is when the host puts the
    // screen on show; the size given by loading is the size until then.
    if (!ownSize_.isValid())
        ownSize_ = testAttribute(Qt::WA_Resized) ? size() : QWidget::sizeHint();
    return ownSize_;
}

QSize Screen::sizeHint() const
{
    return ownSize_.isValid() ? ownSize_ : QWidget::sizeHint();
}

void Screen::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // A screen closed from inside (its own button) takes its sub-window frame along.
    if (event->isAccepted()) {
        closed_ = true;
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            frame->deleteLater();
    }
}

} // namespace hakobee
