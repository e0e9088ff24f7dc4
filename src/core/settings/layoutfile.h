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

    bool operator==(const LayoutSettings&) const = default;
};

// What the editing screens store in place of an empty title or paper: "_",
// which every reader shows as it is.
QString storedLayoutText(const QString& typed);

// The named read ("Select * From nimbeconfig4.txt"), as the screens that
// edit the file and the print runs read it; a value that is empty in the
// file comes back as empty text. Throws hakobee::Error with a description
// for the operator.
LayoutSettings readLayoutRecord(DatabaseProvider& databases);

// The sequential read of the header row and the data row, as the start-up
// reads the file (and as the print command checks that it can be read).
// PRINTER is read as a number, as the start-up takes it: decimal text, "0"
// for a value that is no number. Throws hakobee::Error when the file is
// missing, damaged or too short.
LayoutSettings readLayoutRows(const SettingsFolder& folder);

// Rewrites the file with the values exactly as given. A value the file
// cannot hold is refused before anything is written; on any failure the old
// file stays as it was. Throws hakobee::Error.
void writeLayoutSettings(const SettingsFolder& folder, const LayoutSettings& values);

} // namespace hakobee
