#include "Theme.h"

#include "Fonts.h"
#include "ShadowImageProvider.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

Theme::Theme()
    : m_display(Fonts::interface(34, 700))
    , m_h1(Fonts::interface(28, 700))
    , m_h2(Fonts::interface(20, 600))
    , m_h3(Fonts::interface(16, 600))
    , m_body(Fonts::interface(14, 400))
    , m_label(Fonts::interface(13, 500))
    , m_caption(Fonts::interface(12, 400))
    , m_small(Fonts::interface(11, 500))
    , m_overline(Fonts::interface(11, 600))
    , m_overlineStyle(Fonts::interface(11, 600, 1.2))
    // Kit: buttons, chips, badges, cards and rows.
    , m_button(Fonts::interface(13.5, 600))
    , m_chip(Fonts::interface(12.5, 500))
    , m_chipSelected(Fonts::interface(12.5, 600))
    , m_badge(Fonts::interface(10.5, 700, 0.6))
    , m_liveBadge(Fonts::interface(10, 700, 0.8))
    , m_ratingBadge(Fonts::interface(10.5, 700))
    // A key beside a command ("Ctrl+K").
    , m_keyCap(Fonts::interface(10.5, 600))
    , m_cardTitle(Fonts::interface(13, 600))
    // The line under a card's or a row's title.
    , m_cardSubtitle(Fonts::interface(11.5, 400))
    , m_rowTitle(Fonts::interface(13, 400))
    , m_rowTitleSelected(Fonts::interface(13, 600))
    // A small tracked heading over a title: the guide's day, an episode's number.
    , m_eyebrow(Fonts::interface(11, 600, 1))
    // Shell: the sidebar and the playlist switcher.
    , m_wordmark(Fonts::interface(17, 700))
    , m_navTitle(Fonts::interface(14, 500))
    , m_navTitleCurrent(Fonts::interface(14, 600))
    // A playlist's initial on its avatar, in the switcher and on its card.
    , m_initial(Fonts::interface(14, 700))
    , m_initialLarge(Fonts::interface(20, 700))
    // A name in a compact list: the switcher's playlist, a channel of the player's panel.
    , m_itemTitle(Fonts::interface(13.5, 600))
    // Pages.
    , m_lead(Fonts::interface(15, 400))
    , m_heroTitle(Fonts::interface(36, 700))
    , m_tileTitle(Fonts::interface(15.5, 600))
    , m_summary(Fonts::interface(13.5, 400))
    // An episode's title, the programme that comes next.
    , m_listTitle(Fonts::interface(15, 600))
    // Facts in a line (a film's genres), an update's notes.
    , m_meta(Fonts::interface(13, 400))
    , m_metaStrong(Fonts::interface(13, 600))
    , m_settingTitle(Fonts::interface(14, 500))
    , m_sectionTitle(Fonts::interface(13.5, 500))
    , m_sectionTitleSelected(Fonts::interface(13.5, 600))
    , m_searchText(Fonts::interface(20, 500))
    , m_channelTitle(Fonts::interface(14, 600))
    , m_channelNumber(Fonts::interface(12, 500))
    , m_programmeTime(Fonts::interface(11, 400))
    , m_comingUpTime(Fonts::interface(12, 600))
    , m_guideChannel(Fonts::interface(12.5, 600))
    // The guide's ruler times, the seek bar's time under the pointer.
    , m_timeLabel(Fonts::interface(11.5, 600))
    // The wide button of the mandatory update's card.
    , m_sheetAction(Fonts::interface(14, 600))
    // The player.
    , m_zapDigits(Fonts::interface(54, 700))
    , m_panelNumber(Fonts::interface(11.5, 500))
    , m_playerTitle(Fonts::interface(20, 700))
    , m_playerChannelNumber(Fonts::interface(15, 700))
    , m_playerSubtitle(Fonts::interface(13.5, 500))
    , m_playerTime(Fonts::interface(12.5, 500))
    , m_playerNote(Fonts::interface(12.5, 400))
    , m_playerHeading(Fonts::interface(11, 700, 1.2))
    , m_playerNowTitle(Fonts::interface(22, 600))
    , m_playerMessage(Fonts::interface(15, 500))
{
    m_overlineStyle.setCapitalization(QFont::AllUppercase);
}

Theme *Theme::create(QQmlEngine *engine, QJSEngine *)
{
    // The program registers the fonts at start; doing it here as well (once) keeps any engine,
    // a test's included, from drawing before they exist.
    Fonts::registerBundled();
    const QString provider = ShadowImageProvider::providerId.toString();
    if (!engine->imageProvider(provider))
        engine->addImageProvider(provider, new ShadowImageProvider);
    return new Theme;
}

QFont Theme::iconFont(qreal pixels)
{
    return Fonts::icon(pixels);
}

QVariantMap Theme::shadow(int radius, int blur, const QColor &colour)
{
    return {{u"source"_s, ShadowImageProvider::source(radius, blur, colour)},
            {u"outset"_s, ShadowImageProvider::outset(blur)},
            {u"border"_s, ShadowImageProvider::border(radius, blur)}};
}
