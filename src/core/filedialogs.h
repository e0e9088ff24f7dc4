#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace hakobee {

// What an open-file dialog asks: its caption, the folder it starts in and
// its name filters in QFileDialog's form ("Access (*.mdb *.accdb);;All (*)").
struct OpenFileRequest
{
    QString caption;
    QString startFolder;
    QString filter;
};

// Every file dialog of the system goes through this seam, so tests can pick a
// file or cancel without a person at the screen.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path, or std::nullopt when the operator cancels.
    virtual std::optional<QString> openFile(QWidget* owner, const OpenFileRequest& request) = 0;
};

} // namespace hakobee
