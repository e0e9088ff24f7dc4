#include "core/settings/settingscolumns.h"

namespace hakobee {

QStringList SettingsFiles::all()
{
    return {general, dataSource, layout, printAdjustments};
}

QStringList SettingsColumns::dataSource()
{
    return {u"DB"_qs, u"TABLE"_qs, u"KENSAKU"_qs};
}

QStringList SettingsColumns::layout()
{
    return {u"TITLE1"_qs, u"TITLE2"_qs, u"YOSHI"_qs, u"PRINTER"_qs};
}

QStringList SettingsColumns::printAdjustments()
{
    QStringList names{u"DB1"_qs, u"DB2"_qs, u"SIZE1"_qs, u"SIZE2"_qs, u"SIZE3"_qs, u"D1"_qs};
    // The further values after D1 are named by their number.
    for (int number = 2; number <= 90; ++number)
        names.append(QString::number(number));
    names << u"NA"_qs << u"YU"_qs << u"JYU"_qs << u"TEL"_qs;
    return names;
}

} // namespace hakobee
