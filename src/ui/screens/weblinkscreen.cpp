#include "ui/screens/weblinkscreen.h"

#include "core/makersite.h"
#include "core/shellopener.h"
#include "ui/controls.h"
#include "ui/installedfiles.h"
#include "ui/screens/unopenedpagenote.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hakobee {

WebLinkScreen::WebLinkScreen(AppContext& context, const QString& caption, const QString& note,
                             const QString& pagePath, QWidget* parent)
    : Screen(context, parent), page_(programPageUrl(pagePath))
{
    setWindowTitle(caption);

    note_ = controls::label(this, u"Label1"_qs, note);
    noBrowser_ = controls::label(this, u"LabelNoBrowser"_qs, browserNotStartedText());
    noBrowser_->setWordWrap(true);
    controls::setTextColour(noBrowser_, Qt::red);
    noBrowser_->hide();
    address_ = controls::label(this, u"Label2"_qs, shownPageAddress(page_));
    address_->setTextFormat(Qt::PlainText);
    // The operator may copy the address into a browser by hand.
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    controls::setTextColour(address_, Qt::blue);
    openPage_ = controls::button(this, u"Command1"_qs, u"画面を開く"_qs);
    connect(openPage_, &QPushButton::clicked, this, &WebLinkScreen::openPage);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(openPage_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(note_);
    layout->addWidget(noBrowser_);
    layout->addWidget(address_);
    layout->addStretch();
    layout->addLayout(buttons);
}

void WebLinkScreen::openPage()
{
    if (context().shell->openWebPage(page_))
        return;
    noBrowser_->show();
    offerAddressForCopying(address_);
}

} // namespace hakobee
