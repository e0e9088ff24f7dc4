#pragma once

#include "core/filedialogs.h"
#include "core/messageboxes.h"
#include "core/printer/printsetupdialog.h"

namespace hakobee {

// The dialogs of a program that may not stop to ask: nobody is there to
// answer. A message box's text goes to standard error ("title: text") and
// counts as answered with OK.
class StandardErrorMessages : public MessageBoxes
{
public:
    MessageAnswer show(QWidget* owner, const Message& message) override;
};

// Never shown: a run without windows chooses no printer in a dialog.
class NoPrintSetupDialog : public PrintSetupDialog
{
public:
    bool exec(quint32, QWidget*, QByteArray&, QByteArray&) override { return false; }
};

// Never shown: a file asked for is a file not chosen.
class NoFileDialogs : public FileDialogs
{
public:
    std::optional<QString> openFile(QWidget*, const OpenFileRequest&) override
    {
        return std::nullopt;
    }
};

} // namespace hakobee
