#pragma once

#include "ui/appcontext.h"
#include "ui/runactivity.h"
#include "ui/screen.h"

#include <QHash>
#include <QPointer>
#include <QString>

#include <memory>

class QMdiArea;

namespace hakobee {

// Keeps each screen to one window: the first request creates and loads it, a
// later one brings it to the front, a request after it was closed creates it
// anew. Screens are keyed by name (normally their object name), so the same
// class can live twice under two keys (the start-up main menu and the one of
// the "main page" menu item).
//
// Every screen class names the object name it carries, the name the outside
// world knows it by (tests, screenshots, automation):
//
//     static constexpr const char* screenObjectName = "Form6";
class ScreenHost
{
public:
    explicit ScreenHost(AppContext& context) : context_(context) {}

    // Screens shown after this call open as sub-windows of the area; without
    // an area they are top-level windows.
    void setContainer(QMdiArea* area) { container_ = area; }
    QMdiArea* container() const { return container_; }

    // Whether a print run is going on any of these screens.
    RunActivity& runActivity() { return runActivity_; }

    // Shows the screen, creating and loading it first when it does not exist.
    // Returns null when its loading failed.
    template<class T> T* open(const QString& key = defaultKey<T>())
    {
        if (T* existing = find<T>(key)) {
            present(existing);
            return existing;
        }
        T* created = create<T>(key);
        if (created)
            present(created);
        return created;
    }

    // The screen as it is, loading it without showing it when it does not
    // exist. No screen reads another's fields through this; it is for
    // looking at a screen without opening it (the size checks).
    template<class T> T* loaded(const QString& key = defaultKey<T>())
    {
        if (T* existing = find<T>(key))
            return existing;
        return create<T>(key);
    }

    template<class T> T* find(const QString& key = defaultKey<T>()) const
    {
        return qobject_cast<T*>(find(key));
    }

    // A screen that was closed counts as gone even before it is deleted, so
    // a request right after a close creates the screen anew.
    Screen* find(const QString& key) const
    {
        Screen* screen = screens_.value(key).data();
        return screen && !screen->isClosed() ? screen : nullptr;
    }

    template<class T> static QString defaultKey()
    {
        return QString::fromLatin1(T::screenObjectName);
    }

private:
    template<class T> T* create(const QString& key)
    {
        auto screen = std::make_unique<T>(context_);
        screen->setObjectName(defaultKey<T>());
        screens_.insert(key, screen.get());
        if (!screen->load()) {
            screens_.remove(key);
            return nullptr;
        }
        return screen.release();
    }

    void present(Screen* screen);

    AppContext& context_;
    QMdiArea* container_ = nullptr;
    RunActivity runActivity_;
    QHash<QString, QPointer<Screen>> screens_;
};

} // namespace hakobee
