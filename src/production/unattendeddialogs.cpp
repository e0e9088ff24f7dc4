#include "production/unattendeddialogs.h"

#include "production/standardstreams.h"

namespace hakobee {

MessageAnswer StandardErrorMessages::show(QWidget*, const Message& message)
{
    writeToStandardError(
        (message.title.isEmpty() ? message.text : message.title + u": "_qs + message.text) + u'\n');
    return MessageAnswer::Ok;
}

} // namespace hakobee
