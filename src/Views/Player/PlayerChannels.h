#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The live channel's place in its list and the ways to another channel: the channel buttons,
// the "3 of 12" beside them, the error card's "Next channel", the channel panel's opening and
// closing, and the channel number being typed.
class PlayerChannels : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view model makes its own channels.")

    Q_PROPERTY(int count READ count NOTIFY listChanged)
    // "3 of 12"; empty with fewer than two channels or when the channel is not in its list.
    Q_PROPERTY(QString position READ position NOTIFY listChanged)
    // The channel list can open.
    Q_PROPERTY(bool canList READ canList NOTIFY listChanged)
    // There is another channel to step to.
    Q_PROPERTY(bool canZap READ canZap NOTIFY listChanged)
    // The error card offers the next channel.
    Q_PROPERTY(bool offersNextChannel READ offersNextChannel NOTIFY listChanged)
    Q_PROPERTY(bool panelShown READ isPanelShown NOTIFY panelShownChanged)
    // Whether the panel's last opening or closing slides and fades; a zap, a channel played from
    // the panel and the program's command open or close it at once.
    Q_PROPERTY(bool panelAnimated READ isPanelAnimated NOTIFY panelAnimatedChanged)
    Q_PROPERTY(QString zapDigits READ zapDigits NOTIFY zapDigitsChanged)

public:
    using QObject::QObject;

    // The list of a live channel (the playing channel at `index`, if it is in it); a film or an
    // episode has none.
    void showList(bool live, int count, std::optional<int> index);
    // Opens or closes the panel; false when it already was so.
    bool showPanel(bool shown, bool animated);
    void setZapDigits(const QString &digits);

    [[nodiscard]] int count() const { return m_count; }
    [[nodiscard]] QString position() const;
    [[nodiscard]] bool canList() const { return m_count > 0; }
    [[nodiscard]] bool canZap() const { return m_count >= 2; }
    [[nodiscard]] bool offersNextChannel() const { return m_live && m_count > 1; }
    [[nodiscard]] bool isPanelShown() const { return m_panelShown; }
    [[nodiscard]] bool isPanelAnimated() const { return m_panelAnimated; }
    [[nodiscard]] QString zapDigits() const { return m_zapDigits; }

Q_SIGNALS:
    void listChanged();
    void panelShownChanged();
    // Announced before the panel opens or closes, so that the view knows whether to slide it.
    void panelAnimatedChanged();
    void zapDigitsChanged();

private:
    bool m_live = false;
    int m_count = 0;
    std::optional<int> m_index;
    bool m_panelShown = false;
    bool m_panelAnimated = true;
    QString m_zapDigits;
};
