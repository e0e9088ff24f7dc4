#include "platform/desktop/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace hakobee {

void useJapaneseDefaultFont()
{
    // In order of preference: the faces Debian's CJK font packages install.
    const QStringList preferred{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("MS UI Gothic")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred) {
        if (installed.contains(family)) {
            QFont font = QApplication::font();
            font.setFamily(family);
            QApplication::setFont(font);
            return;
        }
    }
}

} // namespace hakobee
