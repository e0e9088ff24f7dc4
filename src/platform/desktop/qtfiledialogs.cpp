#include "platform/desktop/qtfiledialogs.h"

#include <QDir>
#include <QFileDialog>

namespace hakobee {

std::optional<QString> QtFileDialogs::openFile(QWidget* owner, const OpenFileRequest& request)
{
    const QString chosen =
        QFileDialog::getOpenFileName(owner, request.caption, request.startFolder, request.filter);
    if (chosen.isEmpty())
        return std::nullopt;
    // The path is stored in the settings and shown to the operator in the
    // platform's own form (backslashes on Windows).
    return QDir::toNativeSeparators(chosen);
}

} // namespace hakobee
