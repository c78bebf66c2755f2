#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <mutex>

struct FakeResponse;

// The artwork a provider serves, under "/artwork/" on the fake provider:
// - "<name>.png" or "<name>.jpg": a generated picture of 200 x 300 pixels ("<w>x<h>/<name>.jpg"
//   for another size), its colour taken from the name;
// - "status/<code>/<name>": that status with a small HTML page;
// - "text/<name>": a success with a body that is no picture; "empty/<name>": with no body;
// - "stall/<name>": a success whose body never comes.
// While held, every reply waits before its body until it is let go, so that tests can keep
// downloads running and watch which ones started.
class FakeArtwork final
{
public:
    // `pause` waits on the server's clock and says false once the server is shutting down.
    explicit FakeArtwork(std::function<bool(std::chrono::milliseconds)> pause);

    [[nodiscard]] FakeResponse respond(const QList<QString> &segments);

    void hold();
    // Lets `count` held replies (or replies still to come) send their bodies.
    void letGo(int count);
    // Lets every reply go, now and from now on.
    void release();

    // A picture of `width` x `height` in "png" or "jpg": a diagonal gradient with a plain block
    // over its middle half, in the colour below.
    [[nodiscard]] static QByteArray picture(int width, int height, const QString &name, const QString &format);
    [[nodiscard]] static QColor centreColour(const QString &name);

private:
    [[nodiscard]] QByteArray cachedPicture(int width, int height, const QString &name, const QString &format);
    // Waits for a permit while held; false when the server shuts down first.
    [[nodiscard]] bool waitForTurn();

    std::function<bool(std::chrono::milliseconds)> m_pause;
    std::mutex m_mutex;
    bool m_held = false;
    int m_permits = 0;
    QHash<QString, QByteArray> m_pictures;
};
