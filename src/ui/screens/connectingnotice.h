#pragma once

#include <QPointer>
#include <QWidget>

namespace hakobee {

// The connecting notice: a small window without buttons that tells the
// operator to wait while a slow screen opens. Callers show it through
// ConnectingNotice rather than directly.
class Form8 : public QWidget
{
    Q_OBJECT

public:
    explicit Form8(QWidget* parent = nullptr);
};

// Shows the connecting notice and paints it at once, before the slow work
// that follows keeps the event loop busy; closes it when destroyed.
//
//     {
//         ConnectingNotice notice(this);
//         context().screens->open<Form6>();
//     }
class ConnectingNotice
{
public:
    // The notice is centred over the owner's window when an owner is given.
    explicit ConnectingNotice(QWidget* owner = nullptr);
    ~ConnectingNotice();

    ConnectingNotice(const ConnectingNotice&) = delete;
    ConnectingNotice& operator=(const ConnectingNotice&) = delete;

    Form8* form() const { return form_; }

private:
    QPointer<Form8> form_;
};

} // namespace hakobee
