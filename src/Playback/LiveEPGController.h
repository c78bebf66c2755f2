#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/Job.h"

#include <QCoroTask>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <stop_token>

class Clock;

// The programme on air and the next one for the live channel being watched, from the provider's
// short guide: asked once when started and then every 60 seconds until stopped. Main thread only;
// the provider is asked on a worker thread, and the wait between refreshes goes through the clock.
class LiveEPGController final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(QDateTime lastUpdated READ lastUpdated NOTIFY lastUpdatedChanged)
    Q_PROPERTY(QString errorMessage READ errorMessage NOTIFY errorMessageChanged)

public:
    // Without a stream id or a login, start() does nothing. The alternative id is asked when the
    // first answer is empty.
    LiveEPGController(std::optional<QString> streamID, std::optional<XtreamCredentials> credentials,
                         std::optional<QString> fallbackStreamID, Clock &clock, QObject *parent = nullptr);
    ~LiveEPGController() override;

    [[nodiscard]] const std::optional<LiveProgramme> &now() const { return m_now; }
    [[nodiscard]] const std::optional<LiveProgramme> &next() const { return m_next; }
    [[nodiscard]] bool isLoading() const { return m_isLoading; }
    // Invalid until a refresh has delivered a list.
    [[nodiscard]] QDateTime lastUpdated() const { return m_lastUpdated; }
    // Empty when the last refresh succeeded.
    [[nodiscard]] QString errorMessage() const { return m_errorMessage; }

    // Starts the refresh loop unless one runs or there is nothing to ask about.
    Q_INVOKABLE void start();
    // Ends the loop; an answer still on its way is dropped. A later start() begins a new one.
    Q_INVOKABLE void stop();

Q_SIGNALS:
    void nowChanged();
    void nextChanged();
    void isLoadingChanged();
    void lastUpdatedChanged();
    void errorMessageChanged();

private:
    QCoro::Task<> runLoop(std::stop_token token);
    QCoro::Task<> refresh(std::stop_token token);
    [[nodiscard]] QCoro::Task<QList<LiveProgramme>> fetch(QString streamID, std::stop_token token) const;
    void updateCurrentAndNext();

    void setNow(const std::optional<LiveProgramme> &programme);
    void setNext(const std::optional<LiveProgramme> &programme);
    void setLoading(bool loading);
    void setErrorMessage(const QString &message);

    const std::optional<QString> m_streamID;
    const std::optional<QString> m_fallbackStreamID;
    const std::optional<XtreamCredentials> m_credentials;
    Clock &m_clock;

    std::optional<LiveProgramme> m_now;
    std::optional<LiveProgramme> m_next;
    bool m_isLoading = false;
    QDateTime m_lastUpdated;
    QString m_errorMessage;
    QList<LiveProgramme> m_programmes;
    Job<> m_refreshTask;
};
