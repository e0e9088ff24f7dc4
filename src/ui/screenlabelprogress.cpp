#include "ui/screenlabelprogress.h"

#include "ui/screenhost.h"

namespace hakobee {

void ProgressScreen::showLabelProgress()
{
    screen_ = screens_.open<frmprinting>();
    if (screen_)
        screen_->repaint();
}

void ProgressScreen::setProgressSquares(int squares)
{
    if (screen_)
        screen_->setProgressSquares(squares);
}

void ProgressScreen::closeLabelProgress()
{
    if (!screen_)
        return;
    frmprinting* screen = screen_.data();
    screen_.clear();
    screen->closeScreen();
    // Unload now rather than at the next turn of the event loop: a run
    // draws its next label before returning there, and must find no
    // half-closed progress screen to reuse.
    delete screen;
}

} // namespace hakobee
