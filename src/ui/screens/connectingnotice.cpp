#include "ui/screens/connectingnotice.h"

#include <QApplication>
#include <QLabel>

namespace hakobee {

ConnectingNoticeWindow::ConnectingNoticeWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QString::fromLatin1(screenObjectName));
    setWindowTitle(u"システム接続中>>>>>"_qs);
    setFixedSize(480, 80);

    auto* text =
        new QLabel(u"ただいまシステムに接続中です。しばらくこのままでお待ちください。"_qs, this);
    text->setObjectName(u"Label1"_qs);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setGeometry(16, 10, 448, 60);
}

ConnectingNotice::ConnectingNotice(QWidget* owner)
    : window_(new ConnectingNoticeWindow(owner ? owner->window() : nullptr))
{
    window_->setAttribute(Qt::WA_DeleteOnClose);
    if (owner) {
        const QRect area = owner->window()->frameGeometry();
        window_->move(area.center() - window_->rect().center());
    }
    window_->show();
    window_->repaint();
    // Let the window system put the painted notice on the screen before the caller blocks.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ConnectingNotice::~ConnectingNotice()
{
    if (window_)
        window_->close();
}

} // namespace hakobee
