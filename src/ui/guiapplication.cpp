#include "ui/guiapplication.h"

#include "production/exitcodes.h"
#include "production/standardstreams.h"

#include <QList>

#include <cstdlib>
#include <optional>

namespace hakobee {

namespace {

// The platform plugin the command line (-platform NAME) or QT_QPA_PLATFORM
// asks for; empty for Qt's default.
QString requestedPlatform(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray option(argv[i]);
        if (option == "-platform" || option == "--platform")
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return qEnvironmentVariable("QT_QPA_PLATFORM");
}

// Why no window can be shown, judged from the environment alone; nothing
// when a display is named or the platform needs none (offscreen, vnc, ...).
std::optional<QString> missingDisplay(const QString& platform)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    bool needsX11 = platform.isEmpty();
    bool needsWayland = platform.isEmpty();
    for (const QString& candidate : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString name = candidate.section(u':', 0, 0);
        if (name == QLatin1String("xcb"))
            needsX11 = true;
        else if (name.startsWith(QLatin1String("wayland")))
            needsWayland = true;
        else
            return std::nullopt;
    }
    const bool haveX11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool haveWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if ((needsX11 && haveX11) || (needsWayland && haveWayland))
        return std::nullopt;
    return u"hakobee: 画面（ディスプレイ）がないためウィンドウを開けません"
           u"（DISPLAY も WAYLAND_DISPLAY も設定されていません）。"
           u"画面なしで使えるのはサブコマンドです（hakobee --help）。\n"_qs;
#else
    Q_UNUSED(platform);
    return std::nullopt;
#endif
}

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage>* heldMessages = nullptr;

void holdStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // The platform plugin could not reach the display it was given.
        QString display = qEnvironmentVariable("DISPLAY");
        if (display.isEmpty())
            display = qEnvironmentVariable("WAYLAND_DISPLAY");
        writeToStandardError(
            u"hakobee: 画面（ディスプレイ %1）に接続できないためウィンドウを開けません。"
            u"画面なしで使えるのはサブコマンドです（hakobee --help）。\n"_qs.arg(display));
        std::_Exit(ExitCode::failure);
    }
    heldMessages->append({type, QByteArray(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> startGuiApplication(int& argc, char** argv)
{
    if (const std::optional<QString> reason = missingDisplay(requestedPlatform(argc, argv))) {
        writeToStandardError(*reason);
        return nullptr;
    }

    QList<HeldMessage> held;
    heldMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(holdStartMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    heldMessages = nullptr;
    for (const HeldMessage& message : held)
        qt_message_output(message.type,
                          QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                          message.text);
    return app;
}

} // namespace hakobee
