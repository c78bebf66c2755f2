#include "PlayerHeader.h"

#include "Playback/PlaybackTarget.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/TitleText.h"
#include "Views/Kit/ItemMenuModel.h"

using namespace Qt::StringLiterals;

void PlayerHeader::showTarget(const PlaybackTarget &target)
{
    const bool live = target.kind == CatalogueKind::Live;
    const bool hasLogo = live && target.item;
    const bool number = live && target.item && target.item->number;
    bool changed = assignIfChanged(m_title, TitleText::isolated(target.title));
    changed |= assignIfChanged(m_subtitle, target.subtitle.value_or(QString()));
    changed |= assignIfChanged(m_hasLogo, hasLogo);
    changed |= assignIfChanged(m_logoUrl, hasLogo ? target.item->artworkURL.value_or(QUrl()) : QUrl());
    changed |= assignIfChanged(m_logoTitle, hasLogo ? target.item->title : QString());
    changed |= assignIfChanged(m_channelNumber, number ? QString::number(*target.item->number) : QString());
    changed |= assignIfChanged(m_canFavourite, target.catalogueStore && target.item);
    if (changed)
        Q_EMIT titleChanged();
}

void PlayerHeader::setFavourite(bool favourite)
{
    if (assignIfChanged(m_favourite, favourite))
        Q_EMIT favouriteChanged();
}

void PlayerHeader::setFullScreen(bool fullScreen)
{
    if (assignIfChanged(m_fullScreen, fullScreen))
        Q_EMIT fullScreenChanged();
}

QString PlayerHeader::favouriteSymbol() const
{
    return m_favourite ? u"heart.fill"_s : u"heart"_s;
}

QString PlayerHeader::favouriteTip() const
{
    // Worded as the item menu words its entry.
    return ItemMenuModel::favouriteEntry(m_favourite).title;
}

QString PlayerHeader::fullScreenSymbol() const
{
    return m_fullScreen ? u"arrow.down.right.and.arrow.up.left"_s : u"arrow.up.left.and.arrow.down.right"_s;
}
