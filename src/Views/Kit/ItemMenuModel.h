#pragma once

#include "App/MediaItemValue.h"
#include "ViewModel.h"

#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

// The C++ half of the context menu of a channel, film or series (`ItemMenu`): which entries it
// offers, what they read and what they do. The favourite entry reads the database each time the
// menu opens, not the item's own flag, which may be older.
class ItemMenuModel : public ViewModel
{
    Q_OBJECT
    QML_ELEMENT

    // A MediaItemValue.
    Q_PROPERTY(QVariant item READ itemValue WRITE setItemValue NOTIFY itemChanged)
    Q_PROPERTY(QString mainTitle READ mainTitle NOTIFY itemChanged)
    Q_PROPERTY(QString mainSymbol READ mainSymbol NOTIFY itemChanged)
    Q_PROPERTY(bool offersDetails READ offersDetails NOTIFY itemChanged)
    Q_PROPERTY(bool favourite READ isFavourite NOTIFY favouriteChanged)
    Q_PROPERTY(QString favouriteTitle READ favouriteTitle NOTIFY favouriteChanged)
    Q_PROPERTY(QString favouriteSymbol READ favouriteSymbol NOTIFY favouriteChanged)

public:
    struct Entry
    {
        QString title;
        QString symbol;

        friend bool operator==(const Entry &, const Entry &) = default;
    };

    // Channels and films play; a series opens its page.
    [[nodiscard]] static Entry mainEntry(CatalogueKind kind);
    // Films and series have a details entry; channels have none.
    [[nodiscard]] static bool hasDetails(CatalogueKind kind);
    [[nodiscard]] static Entry favouriteEntry(bool favourite);
    // The notice after a favourite change that was stored.
    [[nodiscard]] static QString favouriteNotice(bool favourite);

    using ViewModel::ViewModel;

    [[nodiscard]] QVariant itemValue() const { return QVariant::fromValue(m_item); }
    void setItemValue(const QVariant &value);
    [[nodiscard]] const MediaItem &item() const { return m_item.item(); }

    [[nodiscard]] QString mainTitle() const { return mainEntry(item().kind).title; }
    [[nodiscard]] QString mainSymbol() const { return mainEntry(item().kind).symbol; }
    [[nodiscard]] bool offersDetails() const { return hasDetails(item().kind); }
    [[nodiscard]] bool isFavourite() const { return m_favourite; }
    [[nodiscard]] QString favouriteTitle() const { return favouriteEntry(m_favourite).title; }
    [[nodiscard]] QString favouriteSymbol() const { return favouriteEntry(m_favourite).symbol; }

    // Reads whether the item is a favourite of the active playlist; the menu calls it as it opens.
    Q_INVOKABLE void refresh();
    // Plays a channel (without a list to switch through) or a film; opens a series' page.
    Q_INVOKABLE void activateMain();
    Q_INVOKABLE void openDetails();
    // Flips the favourite in the store. Only a change the database took is announced, with
    // favouriteToggled and a notice; a failed write is reported by the store's own sentence.
    Q_INVOKABLE void toggleFavourite();

Q_SIGNALS:
    void itemChanged();
    void favouriteChanged();
    // The favourite state the database now holds, for callers that patch their own lists.
    void favouriteToggled(bool favourite);

private:
    void setFavourite(bool favourite);

    MediaItemValue m_item;
    bool m_favourite = false;
};
