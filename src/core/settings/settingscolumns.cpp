#include "core/settings/settingscolumns.h"

namespace hakobee {

QStringList SettingsFiles::all()
{
    return {general, dataSource, layout, furnitureSlip};
}

QStringList SettingsColumns::dataSource()
{
    return {QStringLiteral("DB"), QStringLiteral("TABLE"), QStringLiteral("KENSAKU")};
}

QStringList SettingsColumns::layout()
{
    return {QStringLiteral("TITLE1"), QStringLiteral("TITLE2"), QStringLiteral("YOSHI"),
            QStringLiteral("PRINTER")};
}

QStringList SettingsColumns::furnitureSlip()
{
    QStringList names{QStringLiteral("DB1"),   QStringLiteral("DB2"),   QStringLiteral("SIZE1"),
                      QStringLiteral("SIZE2"), QStringLiteral("SIZE3"), QStringLiteral("D1")};
    // The further values after D1 are named by their number.
    for (int number = 2; number <= 90; ++number)
        names.append(QString::number(number));
    names << QStringLiteral("NA") << QStringLiteral("YU") << QStringLiteral("JYU")
          << QStringLiteral("TEL");
    return names;
}

} // namespace hakobee
