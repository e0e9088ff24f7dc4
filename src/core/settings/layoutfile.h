#pragma once

#include <QString>

namespace hakobee {

class DatabaseProvider;
class SettingsFolder;

// nimbeconfig4.txt as the screens that edit it hold it, every value as text:
// the two label titles, the paper (a paper size code, "999" for a printer
// chosen at each run, "_" for none) and the printer connection type.
struct LayoutSettings
{
    QString title1;
    QString title2;
    QString paper;
    QString printer;
};

// The named read ("Select * From nimbeconfig4.txt"); a value that is empty
// in the file comes back as empty text. Throws hakobee::Error with a
// description for the operator.
LayoutSettings readLayoutRecord(DatabaseProvider& databases);

// Rewrites the file with the values exactly as given. A value the file
// cannot hold is refused before anything is written; on any failure the old
// file stays as it was. Throws hakobee::Error.
void writeLayoutSettings(const SettingsFolder& folder, const LayoutSettings& values);

} // namespace hakobee
