#pragma once

#include "Palette.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// The palette, the type styles and the panel shadows as QML sees them: `color: QM.accent`,
// `font: QM.cardTitle`, `QM.shadow(radius, blur, color)`. Every colour and every font of the
// views is named here; QML uses the names.
class Theme : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(QM)
    QML_SINGLETON

    // The palette.
    Q_PROPERTY(QColor bg0 READ bg0 CONSTANT)
    Q_PROPERTY(QColor bg1 READ bg1 CONSTANT)
    Q_PROPERTY(QColor surface1 READ surface1 CONSTANT)
    Q_PROPERTY(QColor surface2 READ surface2 CONSTANT)
    Q_PROPERTY(QColor surface3 READ surface3 CONSTANT)
    Q_PROPERTY(QColor surface4 READ surface4 CONSTANT)
    Q_PROPERTY(QColor text1 READ text1 CONSTANT)
    Q_PROPERTY(QColor text2 READ text2 CONSTANT)
    Q_PROPERTY(QColor text3 READ text3 CONSTANT)
    Q_PROPERTY(QColor textOnAccent READ textOnAccent CONSTANT)
    Q_PROPERTY(QColor accent READ accent CONSTANT)
    Q_PROPERTY(QColor accentHover READ accentHover CONSTANT)
    Q_PROPERTY(QColor accentPressed READ accentPressed CONSTANT)
    Q_PROPERTY(QColor live READ live CONSTANT)
    Q_PROPERTY(QColor danger READ danger CONSTANT)
    Q_PROPERTY(QColor warning READ warning CONSTANT)
    Q_PROPERTY(QColor success READ success CONSTANT)
    Q_PROPERTY(QColor hover READ hover CONSTANT)
    Q_PROPERTY(QColor pressed READ pressed CONSTANT)
    Q_PROPERTY(QColor stroke READ stroke CONSTANT)
    Q_PROPERTY(QColor strokeStrong READ strokeStrong CONSTANT)
    Q_PROPERTY(QColor scrim READ scrim CONSTANT)
    Q_PROPERTY(QColor accentSoft READ accentSoft CONSTANT)

    // The colours of single parts (Palette.h says what each colours).
    Q_PROPERTY(QColor windowBackground READ windowBackground CONSTANT)
    Q_PROPERTY(QColor shadowCard READ shadowCard CONSTANT)
    Q_PROPERTY(QColor shadowKnob READ shadowKnob CONSTANT)
    Q_PROPERTY(QColor shadowNotice READ shadowNotice CONSTANT)
    Q_PROPERTY(QColor shadowRaised READ shadowRaised CONSTANT)
    Q_PROPERTY(QColor shadowDeep READ shadowDeep CONSTANT)
    Q_PROPERTY(QColor artworkBadge READ artworkBadge CONSTANT)
    Q_PROPERTY(QColor badgeFill READ badgeFill CONSTANT)
    Q_PROPERTY(QColor track READ track CONSTANT)
    Q_PROPERTY(QColor sidePanel READ sidePanel CONSTANT)
    Q_PROPERTY(QColor backdropFade READ backdropFade CONSTANT)
    Q_PROPERTY(QColor liveSoft READ liveSoft CONSTANT)
    Q_PROPERTY(QColor dangerSoft READ dangerSoft CONSTANT)
    Q_PROPERTY(QColor accentGlow READ accentGlow CONSTANT)
    Q_PROPERTY(QColor accentClear READ accentClear CONSTANT)
    Q_PROPERTY(QColor accentActive READ accentActive CONSTANT)
    Q_PROPERTY(QColor accentHoverEdge READ accentHoverEdge CONSTANT)
    Q_PROPERTY(QColor accentFocus READ accentFocus CONSTANT)
    Q_PROPERTY(QColor accentCount READ accentCount CONSTANT)
    Q_PROPERTY(QColor siteRed READ siteRed CONSTANT)
    Q_PROPERTY(QColor siteRedSoft READ siteRedSoft CONSTANT)
    Q_PROPERTY(QColor sheetFill READ sheetFill CONSTANT)
    Q_PROPERTY(QColor sheetEdge READ sheetEdge CONSTANT)
    Q_PROPERTY(QColor sheetText READ sheetText CONSTANT)
    Q_PROPERTY(QColor sheetNote READ sheetNote CONSTANT)
    Q_PROPERTY(QColor sheetButton READ sheetButton CONSTANT)
    Q_PROPERTY(QColor sheetButtonPressed READ sheetButtonPressed CONSTANT)
    Q_PROPERTY(QColor videoShadeTop READ videoShadeTop CONSTANT)
    Q_PROPERTY(QColor videoShadeBottom READ videoShadeBottom CONSTANT)
    Q_PROPERTY(QColor videoCard READ videoCard CONSTANT)
    Q_PROPERTY(QColor zapPlate READ zapPlate CONSTANT)
    Q_PROPERTY(QColor videoTrack READ videoTrack CONSTANT)
    Q_PROPERTY(QColor videoNext READ videoNext CONSTANT)
    Q_PROPERTY(QColor videoTime READ videoTime CONSTANT)
    Q_PROPERTY(QColor videoSubtitle READ videoSubtitle CONSTANT)
    Q_PROPERTY(QColor videoNowTime READ videoNowTime CONSTANT)
    Q_PROPERTY(QColor videoDescription READ videoDescription CONSTANT)
    Q_PROPERTY(QColor videoMessage READ videoMessage CONSTANT)
    Q_PROPERTY(QColor videoNote READ videoNote CONSTANT)

    // The type scale.
    Q_PROPERTY(QFont display MEMBER m_display CONSTANT)
    Q_PROPERTY(QFont h1 MEMBER m_h1 CONSTANT)
    Q_PROPERTY(QFont h2 MEMBER m_h2 CONSTANT)
    Q_PROPERTY(QFont h3 MEMBER m_h3 CONSTANT)
    Q_PROPERTY(QFont body MEMBER m_body CONSTANT)
    Q_PROPERTY(QFont label MEMBER m_label CONSTANT)
    Q_PROPERTY(QFont caption MEMBER m_caption CONSTANT)
    Q_PROPERTY(QFont small MEMBER m_small CONSTANT)
    Q_PROPERTY(QFont overline MEMBER m_overline CONSTANT)
    // The overline text style of section headings: the overline font tracked and in capitals.
    Q_PROPERTY(QFont overlineStyle MEMBER m_overlineStyle CONSTANT)

    // The type styles of single parts (Theme.cpp gives each its size and weight).
    Q_PROPERTY(QFont button MEMBER m_button CONSTANT)
    Q_PROPERTY(QFont chip MEMBER m_chip CONSTANT)
    Q_PROPERTY(QFont chipSelected MEMBER m_chipSelected CONSTANT)
    Q_PROPERTY(QFont badge MEMBER m_badge CONSTANT)
    Q_PROPERTY(QFont liveBadge MEMBER m_liveBadge CONSTANT)
    Q_PROPERTY(QFont ratingBadge MEMBER m_ratingBadge CONSTANT)
    Q_PROPERTY(QFont keyCap MEMBER m_keyCap CONSTANT)
    Q_PROPERTY(QFont cardTitle MEMBER m_cardTitle CONSTANT)
    Q_PROPERTY(QFont cardSubtitle MEMBER m_cardSubtitle CONSTANT)
    Q_PROPERTY(QFont rowTitle MEMBER m_rowTitle CONSTANT)
    Q_PROPERTY(QFont rowTitleSelected MEMBER m_rowTitleSelected CONSTANT)
    Q_PROPERTY(QFont eyebrow MEMBER m_eyebrow CONSTANT)
    Q_PROPERTY(QFont wordmark MEMBER m_wordmark CONSTANT)
    Q_PROPERTY(QFont navTitle MEMBER m_navTitle CONSTANT)
    Q_PROPERTY(QFont navTitleCurrent MEMBER m_navTitleCurrent CONSTANT)
    Q_PROPERTY(QFont initial MEMBER m_initial CONSTANT)
    Q_PROPERTY(QFont initialLarge MEMBER m_initialLarge CONSTANT)
    Q_PROPERTY(QFont itemTitle MEMBER m_itemTitle CONSTANT)
    Q_PROPERTY(QFont lead MEMBER m_lead CONSTANT)
    Q_PROPERTY(QFont heroTitle MEMBER m_heroTitle CONSTANT)
    Q_PROPERTY(QFont tileTitle MEMBER m_tileTitle CONSTANT)
    Q_PROPERTY(QFont summary MEMBER m_summary CONSTANT)
    Q_PROPERTY(QFont listTitle MEMBER m_listTitle CONSTANT)
    Q_PROPERTY(QFont meta MEMBER m_meta CONSTANT)
    Q_PROPERTY(QFont metaStrong MEMBER m_metaStrong CONSTANT)
    Q_PROPERTY(QFont settingTitle MEMBER m_settingTitle CONSTANT)
    Q_PROPERTY(QFont sectionTitle MEMBER m_sectionTitle CONSTANT)
    Q_PROPERTY(QFont sectionTitleSelected MEMBER m_sectionTitleSelected CONSTANT)
    Q_PROPERTY(QFont searchText MEMBER m_searchText CONSTANT)
    Q_PROPERTY(QFont channelTitle MEMBER m_channelTitle CONSTANT)
    Q_PROPERTY(QFont channelNumber MEMBER m_channelNumber CONSTANT)
    Q_PROPERTY(QFont programmeTime MEMBER m_programmeTime CONSTANT)
    Q_PROPERTY(QFont comingUpTime MEMBER m_comingUpTime CONSTANT)
    Q_PROPERTY(QFont guideChannel MEMBER m_guideChannel CONSTANT)
    Q_PROPERTY(QFont timeLabel MEMBER m_timeLabel CONSTANT)
    Q_PROPERTY(QFont sheetAction MEMBER m_sheetAction CONSTANT)
    Q_PROPERTY(QFont zapDigits MEMBER m_zapDigits CONSTANT)
    Q_PROPERTY(QFont panelNumber MEMBER m_panelNumber CONSTANT)
    Q_PROPERTY(QFont playerTitle MEMBER m_playerTitle CONSTANT)
    Q_PROPERTY(QFont playerChannelNumber MEMBER m_playerChannelNumber CONSTANT)
    Q_PROPERTY(QFont playerSubtitle MEMBER m_playerSubtitle CONSTANT)
    Q_PROPERTY(QFont playerTime MEMBER m_playerTime CONSTANT)
    Q_PROPERTY(QFont playerNote MEMBER m_playerNote CONSTANT)
    Q_PROPERTY(QFont playerHeading MEMBER m_playerHeading CONSTANT)
    Q_PROPERTY(QFont playerNowTitle MEMBER m_playerNowTitle CONSTANT)
    Q_PROPERTY(QFont playerMessage MEMBER m_playerMessage CONSTANT)

public:
    // One instance per QML engine; it also gives the engine the shadow images.
    static Theme *create(QQmlEngine *engine, QJSEngine *);

    [[nodiscard]] static QColor bg0() { return Palette::bg0; }
    [[nodiscard]] static QColor bg1() { return Palette::bg1; }
    [[nodiscard]] static QColor surface1() { return Palette::surface1; }
    [[nodiscard]] static QColor surface2() { return Palette::surface2; }
    [[nodiscard]] static QColor surface3() { return Palette::surface3; }
    [[nodiscard]] static QColor surface4() { return Palette::surface4; }
    [[nodiscard]] static QColor text1() { return Palette::text1; }
    [[nodiscard]] static QColor text2() { return Palette::text2; }
    [[nodiscard]] static QColor text3() { return Palette::text3; }
    [[nodiscard]] static QColor textOnAccent() { return Palette::textOnAccent; }
    [[nodiscard]] static QColor accent() { return Palette::accent; }
    [[nodiscard]] static QColor accentHover() { return Palette::accentHover; }
    [[nodiscard]] static QColor accentPressed() { return Palette::accentPressed; }
    [[nodiscard]] static QColor live() { return Palette::live; }
    [[nodiscard]] static QColor danger() { return Palette::danger; }
    [[nodiscard]] static QColor warning() { return Palette::warning; }
    [[nodiscard]] static QColor success() { return Palette::success; }
    [[nodiscard]] static QColor hover() { return Palette::hover; }
    [[nodiscard]] static QColor pressed() { return Palette::pressed; }
    [[nodiscard]] static QColor stroke() { return Palette::stroke; }
    [[nodiscard]] static QColor strokeStrong() { return Palette::strokeStrong; }
    [[nodiscard]] static QColor scrim() { return Palette::scrim; }
    [[nodiscard]] static QColor accentSoft() { return Palette::accentSoft; }

    [[nodiscard]] static QColor windowBackground() { return Palette::windowBackground; }
    [[nodiscard]] static QColor shadowCard() { return Palette::shadowCard; }
    [[nodiscard]] static QColor shadowKnob() { return Palette::shadowKnob; }
    [[nodiscard]] static QColor shadowNotice() { return Palette::shadowNotice; }
    [[nodiscard]] static QColor shadowRaised() { return Palette::shadowRaised; }
    [[nodiscard]] static QColor shadowDeep() { return Palette::shadowDeep; }
    [[nodiscard]] static QColor artworkBadge() { return Palette::artworkBadge; }
    [[nodiscard]] static QColor badgeFill() { return Palette::badgeFill; }
    [[nodiscard]] static QColor track() { return Palette::track; }
    [[nodiscard]] static QColor sidePanel() { return Palette::sidePanel; }
    [[nodiscard]] static QColor backdropFade() { return Palette::backdropFade; }
    [[nodiscard]] static QColor liveSoft() { return Palette::liveSoft; }
    [[nodiscard]] static QColor dangerSoft() { return Palette::dangerSoft; }
    [[nodiscard]] static QColor accentGlow() { return Palette::accentGlow; }
    [[nodiscard]] static QColor accentClear() { return Palette::accentClear; }
    [[nodiscard]] static QColor accentActive() { return Palette::accentActive; }
    [[nodiscard]] static QColor accentHoverEdge() { return Palette::accentHoverEdge; }
    [[nodiscard]] static QColor accentFocus() { return Palette::accentFocus; }
    [[nodiscard]] static QColor accentCount() { return Palette::accentCount; }
    [[nodiscard]] static QColor siteRed() { return Palette::siteRed; }
    [[nodiscard]] static QColor siteRedSoft() { return Palette::siteRedSoft; }
    [[nodiscard]] static QColor sheetFill() { return Palette::sheetFill; }
    [[nodiscard]] static QColor sheetEdge() { return Palette::sheetEdge; }
    [[nodiscard]] static QColor sheetText() { return Palette::sheetText; }
    [[nodiscard]] static QColor sheetNote() { return Palette::sheetNote; }
    [[nodiscard]] static QColor sheetButton() { return Palette::sheetButton; }
    [[nodiscard]] static QColor sheetButtonPressed() { return Palette::sheetButtonPressed; }
    [[nodiscard]] static QColor videoShadeTop() { return Palette::videoShadeTop; }
    [[nodiscard]] static QColor videoShadeBottom() { return Palette::videoShadeBottom; }
    [[nodiscard]] static QColor videoCard() { return Palette::videoCard; }
    [[nodiscard]] static QColor zapPlate() { return Palette::zapPlate; }
    [[nodiscard]] static QColor videoTrack() { return Palette::videoTrack; }
    [[nodiscard]] static QColor videoNext() { return Palette::videoNext; }
    [[nodiscard]] static QColor videoTime() { return Palette::videoTime; }
    [[nodiscard]] static QColor videoSubtitle() { return Palette::videoSubtitle; }
    [[nodiscard]] static QColor videoNowTime() { return Palette::videoNowTime; }
    [[nodiscard]] static QColor videoDescription() { return Palette::videoDescription; }
    [[nodiscard]] static QColor videoMessage() { return Palette::videoMessage; }
    [[nodiscard]] static QColor videoNote() { return Palette::videoNote; }

    // The icon font at `pixels`.
    Q_INVOKABLE static QFont iconFont(qreal pixels);
    // A soft shadow for a rounded panel: {source, outset, border} for a BorderImage that lies
    // `outset` pixels beyond the panel on every side.
    Q_INVOKABLE static QVariantMap shadow(int radius, int blur, const QColor &colour);

private:
    Theme();

    QFont m_display;
    QFont m_h1;
    QFont m_h2;
    QFont m_h3;
    QFont m_body;
    QFont m_label;
    QFont m_caption;
    QFont m_small;
    QFont m_overline;
    QFont m_overlineStyle;

    QFont m_button;
    QFont m_chip;
    QFont m_chipSelected;
    QFont m_badge;
    QFont m_liveBadge;
    QFont m_ratingBadge;
    QFont m_keyCap;
    QFont m_cardTitle;
    QFont m_cardSubtitle;
    QFont m_rowTitle;
    QFont m_rowTitleSelected;
    QFont m_eyebrow;
    QFont m_wordmark;
    QFont m_navTitle;
    QFont m_navTitleCurrent;
    QFont m_initial;
    QFont m_initialLarge;
    QFont m_itemTitle;
    QFont m_lead;
    QFont m_heroTitle;
    QFont m_tileTitle;
    QFont m_summary;
    QFont m_listTitle;
    QFont m_meta;
    QFont m_metaStrong;
    QFont m_settingTitle;
    QFont m_sectionTitle;
    QFont m_sectionTitleSelected;
    QFont m_searchText;
    QFont m_channelTitle;
    QFont m_channelNumber;
    QFont m_programmeTime;
    QFont m_comingUpTime;
    QFont m_guideChannel;
    QFont m_timeLabel;
    QFont m_sheetAction;
    QFont m_zapDigits;
    QFont m_panelNumber;
    QFont m_playerTitle;
    QFont m_playerChannelNumber;
    QFont m_playerSubtitle;
    QFont m_playerTime;
    QFont m_playerNote;
    QFont m_playerHeading;
    QFont m_playerNowTitle;
    QFont m_playerMessage;
};
