#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/Job.h"
#include "Views/Kit/ViewModel.h"

#include <QDateTime>
#include <QPointer>
#include <QUrl>
#include <QVariantList>

#include <stop_token>

// The side panel of the channel selected on the Live TV page: its logo, number and name, the
// buttons to watch it and to keep it as a favourite, the programme on now and up to eight coming
// up. The panel is made for one channel (the live list's selection when it is built) and reads its
// schedule once: the imported guide first, the provider's short guide when that has nothing.
class ChannelInfoPanelModel : public ViewModel
{
    Q_OBJECT
    QML_ELEMENT
    // The page's clock: what is on now and next follows it.
    Q_PROPERTY(QDateTime tick READ tick WRITE setTick NOTIFY tickChanged)
    Q_PROPERTY(QString title READ title NOTIFY itemChanged)
    Q_PROPERTY(QString plainTitle READ plainTitle NOTIFY itemChanged)
    Q_PROPERTY(QString numberText READ numberText NOTIFY itemChanged)
    Q_PROPERTY(QUrl artworkURL READ artworkURL NOTIFY itemChanged)
    Q_PROPERTY(bool favourite READ isFavourite NOTIFY favouriteChanged)
    Q_PROPERTY(QString favouriteTip READ favouriteTip NOTIFY favouriteChanged)
    Q_PROPERTY(bool loading READ isLoading NOTIFY scheduleChanged)
    Q_PROPERTY(bool hasCurrent READ hasCurrent NOTIFY scheduleChanged)
    Q_PROPERTY(QString currentTitle READ currentTitle NOTIFY scheduleChanged)
    Q_PROPERTY(QString currentRange READ currentRange NOTIFY scheduleChanged)
    Q_PROPERTY(QString currentRemaining READ currentRemaining NOTIFY scheduleChanged)
    Q_PROPERTY(double currentProgress READ currentProgress NOTIFY scheduleChanged)
    Q_PROPERTY(QString currentDescription READ currentDescription NOTIFY scheduleChanged)
    Q_PROPERTY(QVariantList upcoming READ upcoming NOTIFY scheduleChanged)
    Q_PROPERTY(bool noGuide READ noGuide NOTIFY scheduleChanged)

public:
    using ViewModel::ViewModel;
    ~ChannelInfoPanelModel() override;

    [[nodiscard]] const QDateTime &tick() const { return m_tick; }
    void setTick(const QDateTime &tick);
    [[nodiscard]] const MediaItem &item() const { return m_item; }
    [[nodiscard]] QString title() const;
    [[nodiscard]] const QString &plainTitle() const { return m_item.title; }
    // Empty for a channel without a number.
    [[nodiscard]] QString numberText() const;
    [[nodiscard]] QUrl artworkURL() const { return m_item.artworkURL.value_or(QUrl()); }
    [[nodiscard]] bool isFavourite() const { return m_favourite; }
    [[nodiscard]] QString favouriteTip() const;
    [[nodiscard]] bool isLoading() const { return m_loading; }
    [[nodiscard]] const QList<GuideProgramme> &schedule() const { return m_schedule; }
    [[nodiscard]] bool hasCurrent() const { return m_current.has_value(); }
    [[nodiscard]] QString currentTitle() const;
    [[nodiscard]] QString currentRange() const;
    [[nodiscard]] QString currentRemaining() const;
    [[nodiscard]] double currentProgress() const;
    // Empty when the programme has none.
    [[nodiscard]] QString currentDescription() const;
    // Up to eight {time, title} rows.
    [[nodiscard]] const QVariantList &upcoming() const { return m_upcoming; }
    // Loaded, and neither the guide nor the provider knows anything of the channel.
    [[nodiscard]] bool noGuide() const { return !m_loading && m_schedule.isEmpty(); }

    // Clears the live list's selection, which closes the panel.
    Q_INVOKABLE void close();
    // Plays the channel with the live list's channels to switch through; the panel stays.
    Q_INVOKABLE void watch();
    // Adds or removes the channel from the favourites and shows the list the new state.
    Q_INVOKABLE void toggleFavourite();

    // Rows of the "Coming up" list.
    static constexpr int upcomingRows = 8;
    // Programmes read from the imported guide.
    static constexpr int scheduleRows = 12;

Q_SIGNALS:
    void tickChanged();
    void itemChanged();
    void favouriteChanged();
    void scheduleChanged();

protected:
    void start(AppModel &app) override;

private:
    static QCoro::Task<void> loadSchedule(QPointer<ChannelInfoPanelModel> self, std::stop_token stop);
    void setSchedule(const QList<GuideProgramme> &schedule, bool loading);
    void setFavourite(bool favourite);
    // What is on now and next at the moment of the call.
    void updateNowAndNext();

    QDateTime m_tick;
    MediaItem m_item;
    bool m_favourite = false;
    bool m_loading = true;
    QList<GuideProgramme> m_schedule;
    std::optional<GuideProgramme> m_current;
    QDateTime m_currentAt;
    QVariantList m_upcoming;
    Job<void> m_load;
};
