#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

// The settings files of the settings folder and their columns, in the order
// every writer keeps.
namespace SettingsFiles {

inline const QString general = u"nimbeconfig.txt"_qs;           // no columns; copied only
inline const QString dataSource = u"nimbeconfig2.txt"_qs;       // DB, TABLE, KENSAKU
inline const QString layout = u"nimbeconfig4.txt"_qs;           // titles, paper, printer
inline const QString printAdjustments = u"nimbeconfig5.txt"_qs; // adjustments and carried columns

// The four files in the order the default copies are restored.
QStringList all();

} // namespace SettingsFiles

namespace SettingsColumns {

// nimbeconfig2.txt
QStringList dataSource();
// nimbeconfig4.txt; PRINTER is "1" for a printer chosen at each run, "0" for a fixed one.
QStringList layout();
// nimbeconfig5.txt: DB1, DB2, SIZE1..SIZE3, D1, "2".."90", NA, YU, JYU, TEL (99 names).
QStringList printAdjustments();

// Positions (from 0) within the rows of nimbeconfig4.txt.
inline constexpr int layoutTitle1 = 0;
inline constexpr int layoutTitle2 = 1;
inline constexpr int layoutPaper = 2;
inline constexpr int layoutPrinter = 3;

} // namespace SettingsColumns

} // namespace hakobee
