#include "ui/screens/unopenedpagenote.h"

#include "core/makersite.h"
#include "ui/controls.h"
#include "ui/screen.h"

#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace hakobee {

namespace {

// A screen keeps the size it opened with; a line shown later would be cut
// off. Its window (the sub-window frame around it in the main window) grows
// to what the screen's layout now needs, within the main window.
void growToFit(QWidget* screen)
{
    QLayout* layout = screen->layout();
    if (!layout)
        return;
    layout->activate();
    auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget());
    QWidget* window = frame ? static_cast<QWidget*>(frame) : screen;
    const QSize frameExtra = window->size() - screen->size();
    int width = std::max(screen->width(), layout->sizeHint().width());
    if (frame && frame->mdiArea())
        width = std::min(width, frame->mdiArea()->viewport()->width() - frameExtra.width());
    const int height =
        std::max(screen->height(), layout->hasHeightForWidth() ? layout->totalHeightForWidth(width)
                                                               : layout->sizeHint().height());
    window->resize(QSize(width, height) + frameExtra);
}

// The screen a control is on.
QWidget* screenOf(QWidget* control)
{
    for (QWidget* widget = control; widget; widget = widget->parentWidget()) {
        if (qobject_cast<Screen*>(widget))
            return widget;
    }
    return control->window();
}

} // namespace

QString browserNotStartedText()
{
    return u"ブラウザを起動できませんでした。次のアドレスをコピーして、ブラウザで開いてください。"_qs;
}

void offerAddressForCopying(QLabel* address)
{
    address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    address->setFocus();
    address->setSelection(0, int(address->text().size()));
    growToFit(screenOf(address));
}

UnopenedPageNote::UnopenedPageNote(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"UnopenedPageNote"_qs);
    note_ = controls::label(this, u"LabelNoBrowser"_qs, browserNotStartedText());
    note_->setWordWrap(true);
    controls::setTextColour(note_, Qt::red);
    address_ = controls::label(this, u"LabelNoBrowserAddress"_qs);
    address_->setTextFormat(Qt::PlainText);
    controls::setTextColour(address_, Qt::blue);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note_);
    layout->addWidget(address_);
    hide();
}

void UnopenedPageNote::showAddress(const QUrl& address)
{
    address_->setText(shownPageAddress(address));
    show();
    offerAddressForCopying(address_);
}

} // namespace hakobee
