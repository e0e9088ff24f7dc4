#pragma once

#include "core/messageboxes.h"

#include <QList>

namespace hakobee::test {

// Records every message box instead of showing it, and answers it with the
// next queued answer (OK when none is queued).
class RecordingMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const Message& message) override
    {
        shown.append(message);
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }

    QList<Message> shown;
    QList<MessageAnswer> answers;
};

} // namespace hakobee::test
