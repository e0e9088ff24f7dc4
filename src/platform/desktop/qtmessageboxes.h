#pragma once

#include "core/messageboxes.h"

namespace hakobee {

// Shows modal QMessageBox dialogs.
class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget* owner, const Message& message) override;
};

} // namespace hakobee
