#include "ui/screens/connectingnotice.h"

#include <QApplication>
#include <QLabel>

namespace hakobee {

Form8::Form8(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("システム接続中>>>>>"));
    setFixedSize(480, 80);

    auto* text = new QLabel(
        QStringLiteral("ただいまシステムに接続中です。しばらくこのままでお待ちください。"), this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setGeometry(16, 10, 448, 60);
}

ConnectingNotice::ConnectingNotice(QWidget* owner)
    : form_(new Form8(owner ? owner->window() : nullptr))
{
    form_->setAttribute(Qt::WA_DeleteOnClose);
    if (owner) {
        const QRect area = owner->window()->frameGeometry();
        form_->move(area.center() - form_->rect().center());
    }
    form_->show();
    form_->repaint();
    // Let the window system put the painted notice on the screen before the caller blocks.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ConnectingNotice::~ConnectingNotice()
{
    if (form_)
        form_->close();
}

} // namespace hakobee
