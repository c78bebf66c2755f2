#include "LiveEPGController.h"

#include "Provider/XtreamClient.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Async.h"
#include "Support/Clock.h"
#include "Support/GuardedJob.h"

#include <QPointer>

#include <algorithm>
#include <chrono>
#include <exception>
#include <functional>

using namespace std::chrono_literals;

namespace {

constexpr auto refreshInterval = 60s;
constexpr int programmeLimit = 24;

} // namespace

LiveEPGController::LiveEPGController(std::optional<QString> streamID,
                                           std::optional<XtreamCredentials> credentials,
                                           std::optional<QString> fallbackStreamID, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_streamID(std::move(streamID))
    , m_fallbackStreamID(std::move(fallbackStreamID))
    , m_credentials(std::move(credentials))
    , m_clock(clock)
{
}

LiveEPGController::~LiveEPGController()
{
    m_refreshTask.cancel();
}

void LiveEPGController::start()
{
    if (m_refreshTask.isValid() || !m_streamID || !m_credentials)
        return;
    m_refreshTask = startGuardedJob(this, std::mem_fn(&LiveEPGController::runLoop));
}

void LiveEPGController::stop()
{
    m_refreshTask.cancelAndForget();
}

QCoro::Task<> LiveEPGController::runLoop(std::stop_token token)
{
    const QPointer<LiveEPGController> self(this);
    co_await refresh(token);
    while (self && !token.stop_requested()) {
        if (!co_await m_clock.sleep(refreshInterval, token) || !self)
            co_return;
        co_await refresh(token);
    }
}

QCoro::Task<> LiveEPGController::refresh(std::stop_token token)
{
    if (!m_streamID || !m_credentials)
        co_return;
    const QPointer<LiveEPGController> self(this);
    setLoading(true);
    QList<LiveProgramme> programmes;
    std::exception_ptr failure;
    try {
        programmes = co_await fetch(*m_streamID, token);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    // Once stopped, an answer or a failure that still arrives changes nothing.
    if (token.stop_requested()) {
        setLoading(false);
        co_return;
    }
    if (failure) {
        // The list kept from before still tells what is on now, as time moves on.
        setErrorMessage(CatalogueStore::safeError(failure));
        updateCurrentAndNext();
        setLoading(false);
        co_return;
    }
    if (programmes.isEmpty() && m_fallbackStreamID && *m_fallbackStreamID != *m_streamID) {
        try {
            programmes = co_await fetch(*m_fallbackStreamID, token);
        } catch (...) {
            // The alternative is a guess: its failure leaves the empty answer.
        }
        if (!self)
            co_return;
    }
    if (token.stop_requested()) {
        setLoading(false);
        co_return;
    }
    m_programmes = std::move(programmes);
    m_lastUpdated = m_clock.now();
    Q_EMIT lastUpdatedChanged();
    setErrorMessage({});
    updateCurrentAndNext();
    setLoading(false);
}

QCoro::Task<QList<LiveProgramme>> LiveEPGController::fetch(QString streamID, std::stop_token token) const
{
    // The request blocks a worker thread; stopping the token ends it promptly.
    const XtreamClient client(*m_credentials);
    QList<LiveProgramme> programmes = co_await Async::detached(
        [client, streamID, token] { return client.fetchShortEPG(streamID, programmeLimit, token); });
    co_return programmes;
}

void LiveEPGController::updateCurrentAndNext()
{
    const QDateTime moment = m_clock.now();
    const auto first = [this](auto predicate) -> std::optional<LiveProgramme> {
        const auto found = std::find_if(m_programmes.cbegin(), m_programmes.cend(), predicate);
        return found == m_programmes.cend() ? std::nullopt : std::optional<LiveProgramme>(*found);
    };
    setNow(first([&moment](const LiveProgramme &programme) {
        return programme.start <= moment && programme.end > moment;
    }));
    setNext(first([&moment](const LiveProgramme &programme) { return programme.start > moment; }));
}

void LiveEPGController::setNow(const std::optional<LiveProgramme> &programme)
{
    if (assignIfChanged(m_now, programme))
        Q_EMIT nowChanged();
}

void LiveEPGController::setNext(const std::optional<LiveProgramme> &programme)
{
    if (assignIfChanged(m_next, programme))
        Q_EMIT nextChanged();
}

void LiveEPGController::setLoading(bool loading)
{
    if (assignIfChanged(m_isLoading, loading))
        Q_EMIT isLoadingChanged();
}

void LiveEPGController::setErrorMessage(const QString &message)
{
    if (assignIfChanged(m_errorMessage, message))
        Q_EMIT errorMessageChanged();
}
