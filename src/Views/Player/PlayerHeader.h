#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

struct PlaybackTarget;

// What the player's top bar shows: the title with its subtitle, the channel's logo and number,
// the favourite button's state and wording, and the full-screen button's state. The title's
// facts are fixed for the screen's life; the favourite and full screen follow the user.
class PlayerHeader : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view model makes its own header.")

    // Titles from providers keep their own direction inside the line (isolated).
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString subtitle READ subtitle NOTIFY titleChanged)
    Q_PROPERTY(bool hasLogo READ hasLogo NOTIFY titleChanged)
    Q_PROPERTY(QUrl logoUrl READ logoUrl NOTIFY titleChanged)
    // The channel's own name, for the logo's initials when it has no picture.
    Q_PROPERTY(QString logoTitle READ logoTitle NOTIFY titleChanged)
    Q_PROPERTY(QString channelNumber READ channelNumber NOTIFY titleChanged)
    Q_PROPERTY(bool canFavourite READ canFavourite NOTIFY titleChanged)
    Q_PROPERTY(bool favourite READ isFavourite NOTIFY favouriteChanged)
    Q_PROPERTY(QString favouriteSymbol READ favouriteSymbol NOTIFY favouriteChanged)
    // The favourite button's help: what a click does.
    Q_PROPERTY(QString favouriteTip READ favouriteTip NOTIFY favouriteChanged)
    Q_PROPERTY(QString fullScreenSymbol READ fullScreenSymbol NOTIFY fullScreenChanged)

public:
    using QObject::QObject;

    // Takes the facts of the title the screen plays.
    void showTarget(const PlaybackTarget &target);
    void setFavourite(bool favourite);
    void setFullScreen(bool fullScreen);

    [[nodiscard]] QString title() const { return m_title; }
    [[nodiscard]] QString subtitle() const { return m_subtitle; }
    [[nodiscard]] bool hasLogo() const { return m_hasLogo; }
    [[nodiscard]] QUrl logoUrl() const { return m_logoUrl; }
    [[nodiscard]] QString logoTitle() const { return m_logoTitle; }
    [[nodiscard]] QString channelNumber() const { return m_channelNumber; }
    [[nodiscard]] bool canFavourite() const { return m_canFavourite; }
    [[nodiscard]] bool isFavourite() const { return m_favourite; }
    [[nodiscard]] QString favouriteSymbol() const;
    [[nodiscard]] QString favouriteTip() const;
    [[nodiscard]] bool isFullScreen() const { return m_fullScreen; }
    [[nodiscard]] QString fullScreenSymbol() const;

Q_SIGNALS:
    void titleChanged();
    void favouriteChanged();
    void fullScreenChanged();

private:
    QString m_title;
    QString m_subtitle;
    bool m_hasLogo = false;
    QUrl m_logoUrl;
    QString m_logoTitle;
    QString m_channelNumber;
    bool m_canFavourite = false;
    bool m_favourite = false;
    bool m_fullScreen = false;
};
