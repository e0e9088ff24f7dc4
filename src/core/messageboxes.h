#pragma once

#include <QString>

class QWidget;

namespace hakobee {

enum class MessageIcon
{
    None,
    Information,
    Exclamation,
    Critical,
    Question
};
enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo
};
enum class MessageAnswer
{
    Ok,
    Cancel,
    Yes,
    No
};

struct Message
{
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box of the system goes through this seam, so tests can record
// each box and answer it without a person at the screen.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(QWidget* owner, const Message& message) = 0;
};

} // namespace hakobee
