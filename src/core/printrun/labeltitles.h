#pragma once

#include <QString>

namespace hakobee {

class DatabaseProvider;

// The two titles a label prints: the header line and the second title line.
struct LabelTitles
{
    QString title1;
    QString title2;
};

// The titles printed for the stored TITLE1 and TITLE2 of nimbeconfig4.txt:
// as stored for the label layout, both empty in the furniture-slip layout
// (where TITLE1 is the company name, which a label never shows).
LabelTitles labelTitlesFor(const QString& storedTitle1, const QString& storedTitle2);

// The titles as the layout selection screen loads them, read with
// "Select * From nimbeconfig4.txt"; a value empty in the file is empty.
// Throws hakobee::Error.
LabelTitles readLabelTitles(DatabaseProvider& databases);

} // namespace hakobee
