#include "platform/desktop/osversion.h"

#include <QOperatingSystemVersion>
#include <QSysInfo>

namespace hakobee {

QString windowsVersionText(const WindowsVersion& version)
{
    switch (version.platformId) {
    case 1:
        return u"Windows 95 or Windows 98"_qs;
    case 2:
        return u"%1.%2 (%3)"_qs.arg(version.major).arg(version.minor).arg(version.build & 0xFFFFu);
    default:
        return {};
    }
}

QString operatingSystemVersionText()
{
#ifdef Q_OS_WIN
    const QOperatingSystemVersion current = QOperatingSystemVersion::current();
    return windowsVersionText({2, quint32(current.majorVersion()), quint32(current.minorVersion()),
                               quint32(current.microVersion())});
#else
    return u"%1 (%2 %3)"_qs.arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                                QSysInfo::kernelVersion());
#endif
}

} // namespace hakobee
