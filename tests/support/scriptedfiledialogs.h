#pragma once

#include "core/filedialogs.h"

#include <QList>

namespace hakobee::test {

// Records every open-file request and answers it with the next queued
// choice; a queued std::nullopt, or an empty queue, is a cancel.
class ScriptedFileDialogs : public FileDialogs
{
public:
    std::optional<QString> openFile(QWidget*, const OpenFileRequest& request) override
    {
        requests.append(request);
        return choices.isEmpty() ? std::nullopt : choices.takeFirst();
    }

    QList<OpenFileRequest> requests;
    QList<std::optional<QString>> choices;
};

} // namespace hakobee::test
