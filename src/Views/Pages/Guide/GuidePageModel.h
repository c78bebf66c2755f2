#pragma once

#include "App/MediaItemListModel.h"
#include "GuideProgrammeFetcher.h"
#include "GuideRulerModel.h"
#include "GuideSelection.h"
#include "GuideWheel.h"
#include "Support/Job.h"
#include "Views/Shell/PageModel.h"

#include <QDateTime>
#include <QPointer>
#include <QVariantAnimation>
#include <QVariantList>

#include <optional>
#include <stop_token>

class GuideState;

Q_MOC_INCLUDE("App/GuideState.h")

// The TV guide page: one row per channel of the chosen category or search, a time line of one
// day, the day chips and time buttons, the scroll wheel over the grid, and the programme
// picked for its sheet. What the guide keeps between showings (category, search, day, position,
// channels, programmes read) lives in the application's GuideState; this object holds what
// belongs to one showing: the page clock, the width, the loading flag and the selection.
class GuidePageModel : public PageModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(GuideState *state READ state NOTIFY appChanged)
    Q_PROPERTY(MediaItemListModel *channels READ channels CONSTANT)
    Q_PROPERTY(GuideRulerModel *ruler READ ruler CONSTANT)
    Q_PROPERTY(bool loading READ isLoading NOTIFY loadingChanged)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(QDateTime now READ now NOTIFY nowChanged)
    Q_PROPERTY(QString dayTitle READ dayTitle NOTIFY dayTitleChanged)
    Q_PROPERTY(QString subtitle READ subtitle NOTIFY subtitleChanged)
    Q_PROPERTY(QVariantList dayChips READ dayChips NOTIFY dayChipsChanged)
    Q_PROPERTY(double nowLineX READ nowLineX NOTIFY nowLineChanged)
    Q_PROPERTY(bool nowLineVisible READ isNowLineVisible NOTIFY nowLineChanged)
    Q_PROPERTY(bool showEmptyState READ showEmptyState NOTIFY emptyStateChanged)
    Q_PROPERTY(QString emptyTitle READ emptyTitle NOTIFY emptyStateChanged)
    Q_PROPERTY(QString categoryTitle READ categoryTitle NOTIFY categoriesChanged)
    Q_PROPERTY(QStringList categoryNames READ categoryNames NOTIFY categoriesChanged)
    Q_PROPERTY(bool showNumbers READ showNumbers CONSTANT)
    Q_PROPERTY(QString selectionID READ selectionID NOTIFY selectionChanged)

public:
    explicit GuidePageModel(QObject *parent = nullptr);
    ~GuidePageModel() override;

    [[nodiscard]] GuideState *state() const { return m_state; }
    [[nodiscard]] MediaItemListModel *channels() { return &m_channels; }
    [[nodiscard]] GuideRulerModel *ruler() { return &m_ruler; }
    [[nodiscard]] bool isLoading() const { return m_loadsRunning > 0; }
    [[nodiscard]] double width() const { return m_width; }
    // Only a change of width is stored.
    void setWidth(double width);
    // The page clock, moved on every 30 seconds.
    [[nodiscard]] const QDateTime &now() const { return m_now; }
    [[nodiscard]] const QDateTime &dayStart() const { return m_dayStart; }
    [[nodiscard]] QDateTime dayEnd() const;
    [[nodiscard]] double visibleMinutes() const;
    // The shown day as the header and the ruler name it: "Today", "Tomorrow", "Sat 12 Dec".
    [[nodiscard]] QString dayTitle() const;
    // "Today · 1,204 channels".
    [[nodiscard]] QString subtitle() const;
    // One chip per day from yesterday to six days ahead: {offset, title}.
    [[nodiscard]] const QVariantList &dayChips() const { return m_dayChips; }
    [[nodiscard]] double nowLineX() const { return m_nowLineX.value_or(-1); }
    [[nodiscard]] bool isNowLineVisible() const { return m_nowLineX.has_value(); }
    // No channels once loading has ended; while a load runs the grid stays.
    [[nodiscard]] bool showEmptyState() const;
    [[nodiscard]] QString emptyTitle() const;
    // The scope's title on the category menu's button.
    [[nodiscard]] QString categoryTitle() const;
    // The shown live categories, which the category menu lists after the favourites and all
    // channels.
    [[nodiscard]] QStringList categoryNames() const;
    [[nodiscard]] bool showNumbers() const { return m_showNumbers; }
    [[nodiscard]] const std::optional<GuideSelection> &selection() const { return m_selection; }
    [[nodiscard]] QString selectionID() const { return m_selection ? m_selection->id() : QString(); }

    // A day chip: that day from 18:00, or today from just before now. The programmes read so far
    // are dropped.
    Q_INVOKABLE void pickDay(int dayOffset);
    // The "Now" button: today, half an hour before the current time, animated.
    Q_INVOKABLE void goToNow();
    // The arrow buttons: the time line moved by `minutes`, held to the day, animated.
    Q_INVOKABLE void scrollBy(double minutes);
    // A scroll-wheel or trackpad move over the grid (GuideWheelArea): true when it was the time
    // line's, which then moves at once; false for one that belongs to the channel list.
    bool wheelScroll(const GuideWheel::Scroll &scroll);
    // The time line at half an hour before the current time, not held to the largest position.
    void jumpToNow(bool animated);
    // The category menu's entries.
    Q_INVOKABLE void showFavourites();
    Q_INVOKABLE void showAllChannels();
    Q_INVOKABLE void showCategory(int index);
    // The channel cell: the channel plays with the guide's channels to switch through.
    Q_INVOKABLE void playChannel(int row);
    // A programme cell: opens its sheet.
    void select(const MediaItem &channel, const GuideProgramme &programme);
    Q_INVOKABLE void closeSheet();

    // For the rows.
    [[nodiscard]] const MediaItem *channelAt(int row) const;
    [[nodiscard]] GuideProgrammeFetcher *fetcher() const { return m_fetcher.get(); }

Q_SIGNALS:
    void loadingChanged();
    void widthChanged();
    void nowChanged();
    void dayTitleChanged();
    void subtitleChanged();
    void dayChipsChanged();
    void nowLineChanged();
    void emptyStateChanged();
    void categoriesChanged();
    void selectionChanged();
    // The shown day changed: rows read that day's programmes.
    void dayChanged();
    // The visible window moved or grew: rows show other programmes.
    void windowChanged();

protected:
    void start(AppModel &app) override;

private:
    // Loading (GuidePageLoading.cpp).
    [[nodiscard]] QString taskKey() const;
    void followTaskKey();
    static QCoro::Task<void> loadChannels(QPointer<GuidePageModel> self, std::stop_token stop);
    void beginLoad();
    void endLoad();
    void markReadyWhenFilled();
    static QCoro::Task<void> runClock(QPointer<GuidePageModel> self, std::stop_token stop);

    // Time line.
    // Where the time line stands, or is being animated to.
    [[nodiscard]] double targetOffset() const;
    void setMinuteOffset(double offset);
    void animateMinuteOffset(double offset, int milliseconds);
    void setNow(const QDateTime &now);
    void updateDay();
    void updateWindow();
    void updateDayChips();
    void updateCategories();

    GuideState *m_state = nullptr;
    MediaItemListModel m_channels;
    GuideRulerModel m_ruler;
    std::unique_ptr<GuideProgrammeFetcher> m_fetcher;
    QVariantAnimation m_offsetAnimation;
    double m_width = 900;
    QDateTime m_now;
    QDateTime m_dayStart;
    QVariantList m_dayChips;
    std::optional<double> m_nowLineX;
    QList<BrowseCategory> m_categories;
    bool m_showNumbers = true;
    std::optional<GuideSelection> m_selection;
    int m_loadsRunning = 0;
    bool m_channelsLoaded = false;
    QString m_taskKey;
    Job<void> m_load;
    Job<void> m_clock;
};
