#pragma once

#include "core/filedialogs.h"

namespace hakobee {

// Shows the platform's modal open-file dialog.
class QtFileDialogs : public FileDialogs
{
public:
    std::optional<QString> openFile(QWidget* owner, const OpenFileRequest& request) override;
};

} // namespace hakobee
