#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>

// One catalogue item as QML holds it: the fields cards and menus show, readable as
// `item.title`, and the whole record for the calls that take the item back (play, details,
// favourites). Absent optional fields read as undefined or empty.
class MediaItemValue
{
    Q_GADGET
    Q_PROPERTY(QString id READ id CONSTANT)
    Q_PROPERTY(QString kind READ kind CONSTANT)
    Q_PROPERTY(QString providerID READ providerID CONSTANT)
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QUrl artworkURL READ artworkURL CONSTANT)
    Q_PROPERTY(QVariant rating READ rating CONSTANT)
    Q_PROPERTY(QVariant genre READ genre CONSTANT)
    Q_PROPERTY(bool isFavourite READ isFavourite CONSTANT)
    Q_PROPERTY(QVariant nowTitle READ nowTitle CONSTANT)
    Q_PROPERTY(QVariant nowStart READ nowStart CONSTANT)
    Q_PROPERTY(QVariant nowEnd READ nowEnd CONSTANT)

public:
    MediaItemValue() = default;
    explicit MediaItemValue(MediaItem item) : m_item(std::move(item)) {}

    [[nodiscard]] const MediaItem &item() const { return m_item; }

    [[nodiscard]] QString id() const { return m_item.id(); }
    [[nodiscard]] QString kind() const { return kindText(m_item.kind); }
    [[nodiscard]] QString providerID() const { return m_item.providerID; }
    [[nodiscard]] QString title() const { return m_item.title; }
    [[nodiscard]] QUrl artworkURL() const { return m_item.artworkURL.value_or(QUrl()); }
    [[nodiscard]] QVariant rating() const { return m_item.rating ? QVariant(*m_item.rating) : QVariant(); }
    [[nodiscard]] QVariant genre() const { return m_item.genre ? QVariant(*m_item.genre) : QVariant(); }
    [[nodiscard]] bool isFavourite() const { return m_item.isFavourite; }
    [[nodiscard]] QVariant nowTitle() const { return m_item.now ? QVariant(m_item.now->title) : QVariant(); }
    [[nodiscard]] QVariant nowStart() const { return m_item.now ? QVariant(m_item.now->start) : QVariant(); }
    [[nodiscard]] QVariant nowEnd() const { return m_item.now ? QVariant(m_item.now->end) : QVariant(); }

    friend bool operator==(const MediaItemValue &, const MediaItemValue &) = default;

private:
    MediaItem m_item;
};
