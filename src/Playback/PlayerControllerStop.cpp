// The stop handshake: the one native player is reused for every title, and it is only safe to
// reuse once it has reported that it stopped. Any number of callers may wait for the same native
// stop, which is requested once and given up on after five seconds.
#include "PlayerController.h"

#include "Playback/DisplaySleepInhibitor.h"
#include "Playback/MediaEngine.h"
#include "Support/Clock.h"
#include "Support/GuardedJob.h"
#include "Support/Logging.h"

#include <QCoroSignal>

#include <chrono>
#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// One request to stop the native player, shared by everyone who waits for it. Its waiters keep
// it alive, so that the end reaches them even when the controller is gone by then.
class NativeStopRequest final : public QObject
{
    Q_OBJECT

public:
    [[nodiscard]] bool hasEnded() const { return m_ended; }
    [[nodiscard]] bool isConfirmed() const { return m_confirmed; }

    void end(bool confirmed)
    {
        m_ended = true;
        m_confirmed = confirmed;
        Q_EMIT ended();
    }

Q_SIGNALS:
    void ended();

private:
    bool m_ended = false;
    bool m_confirmed = false;
};

Job<> PlayerController::stop()
{
    if (m_activeStopTask.isValid())
        return m_activeStopTask;
    m_wantsPlayback = false;
    m_autoHide.cancelAndForget();
    m_retryTask.cancelAndForget();
    m_watchdog.cancelAndForget();
    m_activity->end();
    m_activeStopTask =
        startGuardedJob(this, [](PlayerController &self, std::stop_token) { return self.runStop(); });
    return m_activeStopTask;
}

QCoro::Task<> PlayerController::runStop()
{
    if (m_stopConfirmed) {
        // Nothing was handed to the native player since its last confirmed stop.
        setState(PlayerState::Stopped);
        co_return;
    }
    const QPointer<PlayerController> self(this);
    // Until the next title is configured, every report and play request is ignored.
    m_isStopping = true;
    const bool confirmed = co_await stopNative();
    if (!self)
        co_return;
    if (confirmed)
        setState(PlayerState::Stopped);
    else
        fail(u"The player did not finish stopping. Playback has been closed safely."_s);
}

QCoro::Task<bool> PlayerController::stopNative()
{
    if (!m_nativeStop) {
        m_nativeStop = std::make_shared<NativeStopRequest>();
        qCInfo(lcPlayback) << "Requesting native stop";
        m_player->stop();
        m_stopTimeout.cancelAndForget();
        m_stopTimeout = startGuardedJob(this, std::mem_fn(&PlayerController::runStopTimeout));
    }
    const std::shared_ptr<NativeStopRequest> request = m_nativeStop;
    if (!request->hasEnded())
        co_await qCoro(request.get(), &NativeStopRequest::ended);
    co_return request->isConfirmed();
}

QCoro::Task<> PlayerController::runStopTimeout(std::stop_token token)
{
    const QPointer<PlayerController> self(this);
    if (!co_await m_clock.sleep(5s, token) || !self)
        co_return;
    endNativeStop(false);
    qCCritical(lcPlayback) << "Native stop timed out; reuse is blocked until stopped";
}

void PlayerController::confirmNativeStop()
{
    m_stopConfirmed = true;
    m_stopTimeout.cancelAndForget();
    endNativeStop(true);
    qCInfo(lcPlayback) << "Native stop confirmed";
}

void PlayerController::endNativeStop(bool confirmed)
{
    if (!m_nativeStop)
        return;
    std::exchange(m_nativeStop, {})->end(confirmed);
}

#include "PlayerControllerStop.moc"
