#pragma once

#include "ui/appcontext.h"

#include <QWidget>

namespace hakobee {

// Base of every screen: a window with named controls whose loading steps run
// once, when the screen host creates it.
class Screen : public QWidget
{
    Q_OBJECT

public:
    explicit Screen(AppContext& context, QWidget* parent = nullptr);

    // The screen's loading steps. Returns false when loading failed and the
    // screen must not stay open (it has reported the failure itself).
    virtual bool load() { return true; }

    // Closes the screen together with the frame the host put it in.
    void closeScreen();
    // True once the screen accepted being closed; it is deleted at the next
    // turn of the event loop and is no longer the screen of its name.
    bool isClosed() const { return closed_; }

    // The screen's own size: the size its loading gave it (in twips turned
    // to pixels, as the screens are specified), or what its layout needs
    // when it gave none. A sub-window of the main window shows it at this
    // size rather than shrinking it to the layout's minimum.
    QSize ownSize() const;
    QSize sizeHint() const override;

protected:
    AppContext& context() const { return context_; }
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& context_;
    mutable QSize ownSize_;
    bool closed_ = false;
};

} // namespace hakobee
