#pragma once

class QUrl;

namespace hakobee {

// The system shell's "open" for a page's address (a web page or a file):
// the user's default browser shows it. Returns whether the desktop could
// start something to open it; false when no browser or opener can be
// started at all, so the calling screen can show the address instead.
// True says nothing about the page itself: a browser that comes up without
// a network shows its own error page.
class ShellOpener
{
public:
    virtual ~ShellOpener() = default;
    virtual bool openWebPage(const QUrl& address) = 0;
};

} // namespace hakobee
