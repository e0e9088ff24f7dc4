#include "ui/screenlabelprogress.h"

#include "ui/screenhost.h"

#include <QCoreApplication>

namespace hakobee {

void ScreenLabelProgress::showLabelProgress()
{
    screen_ = screens_.open<LabelProgressScreen>();
    if (screen_)
        screen_->repaint();
}

void ScreenLabelProgress::setProgressSquares(int squares)
{
    if (screen_)
        screen_->setProgressSquares(squares);
}

void ScreenLabelProgress::showLabelCopy(int copy, int copies)
{
    if (screen_)
        screen_->showLabelCopy(copy, copies);
}

void ScreenLabelProgress::closeLabelProgress()
{
    if (!screen_)
        return;
    LabelProgressScreen* screen = screen_.data();
    screen_.clear();
    screen->closeScreen();
    // Unload now rather than at the next turn of the event loop: a run
    // draws its next label before returning there, and must find no
    // half-closed progress screen to reuse.
    delete screen;
}

void ScreenLabelProgress::yieldToEvents()
{
    QCoreApplication::processEvents();
}

} // namespace hakobee
