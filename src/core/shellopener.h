#pragma once

class QUrl;

namespace hakobee {

// The system shell's "open" for web addresses: the user's default browser
// shows the page. Whether a browser came up is neither known nor reported;
// without a browser or a network the calling screen simply stays as it was.
class ShellOpener
{
public:
    virtual ~ShellOpener() = default;
    virtual void openWebPage(const QUrl& address) = 0;
};

} // namespace hakobee
