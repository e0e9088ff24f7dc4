#include "core/printer/connectiontype.h"

#include <QLocale>

#include <cmath>

namespace hakobee {

QString storedConnectionType(ConnectionType type)
{
    return type == ConnectionType::Variable ? u"1"_qs : u"0"_qs;
}

QString paperChosenAtEachRun()
{
    return u"999"_qs;
}

std::optional<ConnectionType> connectionTypeShownFor(const QString& stored)
{
    bool number = false;
    const double value = QLocale::c().toDouble(stored.trimmed(), &number);
    if (!number || !std::isfinite(value))
        return std::nullopt;
    return value != 0 ? ConnectionType::Variable : ConnectionType::Fixed;
}

} // namespace hakobee
