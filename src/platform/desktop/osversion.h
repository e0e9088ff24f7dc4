#pragma once

#include <QString>

namespace hakobee {

// The version of a Windows system as the version query reports it.
struct WindowsVersion
{
    int platformId = 0; // 1: the Windows 95 family, 2: the NT family
    quint32 major = 0;
    quint32 minor = 0;
    quint32 build = 0;
};

// The text the main menu shows for a Windows version: "Windows 95 or
// Windows 98", "major.minor (build)" with the low 16 bits of the build, or
// nothing for another platform.
QString windowsVersionText(const WindowsVersion& version);

// The text for the running system: the Windows form on Windows, elsewhere
// the system's readable name and version.
QString operatingSystemVersionText();

} // namespace hakobee
