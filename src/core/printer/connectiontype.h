#pragma once

#include <QString>

#include <optional>

namespace hakobee {

// How the print runs choose their printer (PRINTER of nimbeconfig4.txt).
enum class ConnectionType
{
    Fixed,   // "0": the current printer, the paper chosen on the paper screen
    Variable // "1": the print-setup dialog at the start of every run
};

// The stored PRINTER text of each type.
QString storedConnectionType(ConnectionType type);

// The paper value (YOSHI) stored with the variable type: the paper is
// chosen in the print-setup dialog at each run.
QString paperChosenAtEachRun();

// The type the connection type screen shows for a stored PRINTER value: a
// number other than 0 is the variable type, 0 the fixed one (blanks around
// it and a fraction are read as numbers are). Empty when the value is no
// number at all, the empty text included.
std::optional<ConnectionType> connectionTypeShownFor(const QString& stored);

} // namespace hakobee
