#include "InstantAnimations.h"

#include <QAnimationDriver>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QQuickWindow>
#include <QTimer>

namespace {

// An animation clock that moves a whole hour at each tick, so that every finite animation
// started before the tick is over after it. It ticks at the display rate while animations run,
// as Qt's own driver does, and on demand through finish().
class JumpingDriver final : public QAnimationDriver
{
public:
    JumpingDriver()
    {
        m_ticks.setTimerType(Qt::PreciseTimer);
        m_ticks.setInterval(16);
        connect(&m_ticks, &QTimer::timeout, this, &JumpingDriver::tick);
    }

    [[nodiscard]] qint64 elapsed() const override { return m_elapsed; }

    void tick()
    {
        m_elapsed += step;
        advance();
    }

protected:
    void start() override
    {
        // The animation system reads the driver's time from the moment the driver starts.
        m_elapsed = 0;
        QAnimationDriver::start();
        m_ticks.start();
    }

    void stop() override
    {
        m_ticks.stop();
        QAnimationDriver::stop();
    }

private:
    static constexpr qint64 step = 60 * 60 * 1000;

    QTimer m_ticks;
    qint64 m_elapsed = 0;
};

JumpingDriver *driver = nullptr;

} // namespace

void InstantAnimations::install()
{
    if (driver)
        return;
    // Kept to the end of the process: the animation system may still refer to it while the
    // application object goes.
    driver = new JumpingDriver;
    driver->install();
}

void InstantAnimations::finish()
{
    // Each round starts what the last one asked to start and ends it. Animations begin through
    // queued calls, and the views' own transitions (a list's items moving in) when a window lays
    // its items out for the next frame, which drawing each window now brings forward; a
    // transition that starts at the end of another needs a round more. Only endless loops are
    // still running after a few.
    constexpr int rounds = 8;
    int idle = 0;
    for (int round = 0; round < rounds && idle < 2; ++round) {
        QCoreApplication::processEvents();
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (auto *quick = qobject_cast<QQuickWindow *>(window); quick && quick->isExposed())
                (void)quick->grabWindow();
        }
        QCoreApplication::processEvents();
        if (driver && driver->isRunning()) {
            driver->tick();
            idle = 0;
        } else {
            ++idle;
        }
    }
}
