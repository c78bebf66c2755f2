#pragma once

#include "Views/Shell/PageModel.h"
#include "App/MediaItemListModel.h"
#include "Support/KeyedJob.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <stop_token>

// The search page's state over the application model's search text. The term is that text
// trimmed; each new term (or a change of playlist or of the hidden categories) waits 0.2 s for
// typing to pause, then searches channels, films and series at once. Results stay until a newer
// search completes, and a superseded search stores nothing. The recent terms live in the user's
// settings and are remembered when the user presses Return or opens a result.
class SearchPageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(QString term READ term NOTIFY termChanged)
    // The clear button shows for any text, even one of spaces only.
    Q_PROPERTY(bool clearVisible READ isClearVisible NOTIFY textChanged)
    Q_PROPERTY(bool searching READ isSearching NOTIFY searchingChanged)
    Q_PROPERTY(bool showsSuggestions READ showsSuggestions NOTIFY termChanged)
    Q_PROPERTY(bool showsNoResults READ showsNoResults NOTIFY resultsChanged)
    Q_PROPERTY(QString noResultsTitle READ noResultsTitle NOTIFY termChanged)
    Q_PROPERTY(MediaItemListModel *channels READ channels CONSTANT)
    Q_PROPERTY(MediaItemListModel *movies READ movies CONSTANT)
    Q_PROPERTY(MediaItemListModel *series READ series CONSTANT)
    // "12", or "40+" for a shelf that reached the query's limit.
    Q_PROPERTY(QString channelsSubtitle READ channelsSubtitle NOTIFY resultsChanged)
    Q_PROPERTY(QString moviesSubtitle READ moviesSubtitle NOTIFY resultsChanged)
    Q_PROPERTY(QString seriesSubtitle READ seriesSubtitle NOTIFY resultsChanged)
    Q_PROPERTY(QStringList recent READ recent NOTIFY recentChanged)
    QML_ELEMENT

public:
    // Results per kind.
    static constexpr int resultLimit = 40;

    explicit SearchPageModel(QObject *parent = nullptr);
    ~SearchPageModel() override;


    [[nodiscard]] const QString &term() const { return m_term; }
    [[nodiscard]] bool isClearVisible() const;
    [[nodiscard]] bool isSearching() const { return m_searching; }
    [[nodiscard]] bool showsSuggestions() const;
    // Only once the search for this very term has completed with nothing found.
    [[nodiscard]] bool showsNoResults() const;
    [[nodiscard]] QString noResultsTitle() const;
    [[nodiscard]] MediaItemListModel *channels() { return &m_channels; }
    [[nodiscard]] MediaItemListModel *movies() { return &m_movies; }
    [[nodiscard]] MediaItemListModel *series() { return &m_series; }
    [[nodiscard]] QString channelsSubtitle() const { return shelfSubtitle(m_channels.rowCount()); }
    [[nodiscard]] QString moviesSubtitle() const { return shelfSubtitle(m_movies.rowCount()); }
    [[nodiscard]] QString seriesSubtitle() const { return shelfSubtitle(m_series.rowCount()); }
    [[nodiscard]] QStringList recent() const;
    // "<term>|<playlist>|<category-order revision>": a finished import does not search again.
    [[nodiscard]] QString taskKey() const;

    [[nodiscard]] static QString shelfSubtitle(int count);

    // Return in the field: remembers the term.
    Q_INVOKABLE void submit();
    // A recent term fills the field, which searches for it; the order of the terms stays.
    Q_INVOKABLE void chooseRecent(const QString &term);
    Q_INVOKABLE void clearRecent();
    Q_INVOKABLE void clearText();
    // A channel result plays with the channel results as its list to switch through.
    Q_INVOKABLE void playChannel(int row);
    // A film or series result opens its detail page.
    Q_INVOKABLE void openTitle(MediaItemListModel *shelf, int row);

Q_SIGNALS:
    void textChanged();
    void termChanged();
    void searchingChanged();
    void resultsChanged();
    void recentChanged();
    // The field should take the keyboard focus: when the page shows, and on the Search command.
    // While the player shows over the page the request waits until the player closes.
    void focusRequested();

protected:
    void start(AppModel &app) override;

private:
    void updateTerm();
    void searchIfNeeded();
    static QCoro::Task<void> search(QPointer<SearchPageModel> self, QString term, std::stop_token stop);
    void setSearching(bool searching);
    void remember();
    void requestFocus();

    QString m_term;
    bool m_searching = false;
    QString m_searched;
    bool m_focusWanted = false;
    MediaItemListModel m_channels;
    MediaItemListModel m_movies;
    MediaItemListModel m_series;
    KeyedJob m_search;
};
