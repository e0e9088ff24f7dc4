#pragma once

#include <QPointer>
#include <QWidget>

namespace hakobee {

// The connecting notice: a small window without buttons that tells the
// operator to wait while a slow screen opens. Callers show it through
// ConnectingNotice rather than directly.
class ConnectingNoticeWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form8";

    explicit ConnectingNoticeWindow(QWidget* parent = nullptr);
};

// Shows the connecting notice and paints it at once, before the slow work
// that follows keeps the event loop busy; closes it when destroyed.
//
//     {
//         ConnectingNotice notice(this);
//         context().screens->open<RecordCountScreen>();
//     }
class ConnectingNotice
{
public:
    // The notice is centred over the owner's window when an owner is given.
    explicit ConnectingNotice(QWidget* owner = nullptr);
    ~ConnectingNotice();

    ConnectingNotice(const ConnectingNotice&) = delete;
    ConnectingNotice& operator=(const ConnectingNotice&) = delete;

    ConnectingNoticeWindow* window() const { return window_; }

private:
    QPointer<ConnectingNoticeWindow> window_;
};

} // namespace hakobee
