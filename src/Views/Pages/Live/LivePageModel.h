#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/Job.h"
#include "Views/Shell/PageModel.h"

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <stop_token>

class BrowseModel;

Q_MOC_INCLUDE("App/BrowseModel.h")

// The Live TV page: the live channels of the chosen category with what is on now, the search
// field, the keyboard over the list, and the information panel of the selected channel. The list,
// its scope, search text and selection belong to the live browse model and outlive the page;
// the page keeps only its clock and the channel-number setting.
class LivePageModel : public PageModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(BrowseModel *model READ model NOTIFY appChanged)
    Q_PROPERTY(bool showNumbers READ showNumbers CONSTANT)
    Q_PROPERTY(QDateTime clock READ clock NOTIFY clockChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString countLine READ countLine NOTIFY countLineChanged)
    Q_PROPERTY(bool showMessage READ showMessage NOTIFY listAreaChanged)
    Q_PROPERTY(QString messageSymbol READ messageSymbol NOTIFY listAreaChanged)
    Q_PROPERTY(QString messageTitle READ messageTitle NOTIFY listAreaChanged)
    Q_PROPERTY(QString messageText READ messageText NOTIFY listAreaChanged)
    Q_PROPERTY(QString selectedID READ selectedID NOTIFY selectedChanged)

public:
    // What the list area shows in place of the list, when anything.
    struct Message
    {
        QString symbol;
        QString title;
        QString text;

        friend bool operator==(const Message &, const Message &) = default;
    };

    using PageModel::PageModel;
    ~LivePageModel() override;

    [[nodiscard]] BrowseModel *model() const;
    [[nodiscard]] bool showNumbers() const { return m_showNumbers; }
    // Moved on every 30 seconds, so that progress bars move with it.
    [[nodiscard]] const QDateTime &clock() const { return m_clock; }
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString countLine() const;
    [[nodiscard]] bool showMessage() const { return message().has_value(); }
    [[nodiscard]] QString messageSymbol() const { return message().value_or(Message()).symbol; }
    [[nodiscard]] QString messageTitle() const { return message().value_or(Message()).title; }
    [[nodiscard]] QString messageText() const { return message().value_or(Message()).text; }
    [[nodiscard]] QString selectedID() const;

    // "Loading…" while the first page loads, else "1,204 channels" ("1 channel").
    [[nodiscard]] static QString countLine(bool loading, bool empty, qint64 total);
    // A failure, or no channels once loading has ended; none while the list shows.
    [[nodiscard]] static std::optional<Message> message(const std::optional<QString> &error, bool empty, bool loading,
                                                        const BrowseScope &scope, const QString &query);

    // A key while the list has focus; true when it is the list's (then it never goes further).
    Q_INVOKABLE bool handleKey(int key, const QString &text);
    // A single click: the row's channel becomes the selection.
    Q_INVOKABLE void select(int row);
    // A double click or Return: selects the channel and plays it.
    Q_INVOKABLE void play(int row);
    // The item menu stored a favourite change of its channel (a MediaItemValue): the list shows it.
    Q_INVOKABLE void mirrorFavourite(const QVariant &channel, bool saved);
    // A row came into view: the next page is fetched near the end of the list.
    Q_INVOKABLE void rowShown(int row);
    // How far a programme has run now, 0 to 1.
    Q_INVOKABLE double progress(const QDateTime &start, const QDateTime &end) const;

Q_SIGNALS:
    void clockChanged();
    void titleChanged();
    void countLineChanged();
    void listAreaChanged();
    void selectedChanged();
    // The keyboard moved the selection: the list shows that row.
    void scrollToRow(int row);

protected:
    void start(AppModel &app) override;

private:
    [[nodiscard]] std::optional<Message> message() const;
    [[nodiscard]] const MediaItem *itemAt(int row) const;
    void move(int step);
    void toggleFavourite();
    void playChannel(const MediaItem &channel);
    void refreshData();
    void markReadyWhenShown();
    static QCoro::Task<void> runRefresh(QPointer<LivePageModel> self, std::stop_token stop);
    static QCoro::Task<void> runClock(QPointer<LivePageModel> self, std::stop_token stop);

    bool m_showNumbers = true;
    QDateTime m_clock;
    bool m_refreshed = false;
    Job<void> m_refresh;
    Job<void> m_clockTask;
};
