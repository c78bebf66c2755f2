#pragma once

#include "GuideSelection.h"
#include "GuidePageModel.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The sheet of a programme picked in the guide: its channel, title, day and times, how far it has
// run while on air, its description, and the buttons to close it or to watch the channel. It
// shows the selection the page held when it was made; a new selection gets a new sheet. Whether
// the programme is on air is decided by the clock when the sheet reads it.
class ProgrammeSheetModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(GuidePageModel *page READ page WRITE setPage NOTIFY pageChanged)
    Q_PROPERTY(QString channelTitle READ channelTitle NOTIFY pageChanged)
    Q_PROPERTY(QString channelName READ channelName NOTIFY pageChanged)
    Q_PROPERTY(QUrl channelArtwork READ channelArtwork NOTIFY pageChanged)
    Q_PROPERTY(QString title READ title NOTIFY pageChanged)
    Q_PROPERTY(QString timeLine READ timeLine NOTIFY pageChanged)
    Q_PROPERTY(bool live READ isLive NOTIFY pageChanged)
    Q_PROPERTY(double progress READ progress NOTIFY pageChanged)
    Q_PROPERTY(QString description READ description NOTIFY pageChanged)
    Q_PROPERTY(QString watchTitle READ watchTitle NOTIFY pageChanged)

public:
    using QObject::QObject;

    [[nodiscard]] GuidePageModel *page() const { return m_page; }
    // Takes the page's selection; only the first page counts.
    void setPage(GuidePageModel *page);

    // The channel's name between directional isolates, and as it is (for the logo's initials).
    [[nodiscard]] QString channelTitle() const;
    [[nodiscard]] QString channelName() const;
    [[nodiscard]] QUrl channelArtwork() const;
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString timeLine() const;
    [[nodiscard]] bool isLive() const;
    [[nodiscard]] double progress() const;
    [[nodiscard]] QString description() const;
    [[nodiscard]] QString watchTitle() const;

    // "Today · 21:00 – 22:30 · 1h 30m"; the length is left empty when it is not positive.
    [[nodiscard]] static QString timeLine(const GuideProgramme &programme, const QDateTime &now);
    // The description, or a sentence that the provider sent none.
    [[nodiscard]] static QString description(const GuideProgramme &programme);

    // Closes the sheet.
    Q_INVOKABLE void close();
    // Closes the sheet and plays the channel live now, with the guide's channels to switch through.
    Q_INVOKABLE void watch();

Q_SIGNALS:
    void pageChanged();

private:
    [[nodiscard]] QDateTime now() const;

    QPointer<GuidePageModel> m_page;
    std::optional<GuideSelection> m_selection;
};
