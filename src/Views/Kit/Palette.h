#pragma once

#include <QColor>

// The 23 colours of the dark-only interface, then the colours of single parts, named by what they
// colour. Opaque colours are exact fractions of 255; the translucent ones are white, black or a
// colour of the palette at a given opacity, kept at 16 bits so that the opacity is not rounded to
// a byte.
namespace Palette {

// sRGB components in 0-255 at an opacity from 0 to 1.
[[nodiscard]] constexpr QColor rgb(int red, int green, int blue, double opacity = 1.0)
{
    return QColor(QColor::Rgb, ushort(opacity * 0xffff + 0.5), ushort(red * 0x101), ushort(green * 0x101),
                  ushort(blue * 0x101));
}

// An opaque colour given in fractions of 1, kept at 16 bits as QColor::fromRgbF keeps it.
[[nodiscard]] constexpr QColor rgbF(float red, float green, float blue)
{
    return QColor(QColor::Rgb, 0xffff, ushort(red * 0xffff + 0.5f), ushort(green * 0xffff + 0.5f),
                  ushort(blue * 0xffff + 0.5f));
}

inline constexpr QColor bg0 = rgb(5, 8, 15);
inline constexpr QColor bg1 = rgb(8, 12, 22);
inline constexpr QColor surface1 = rgb(14, 20, 34);
inline constexpr QColor surface2 = rgb(20, 27, 44);
inline constexpr QColor surface3 = rgb(27, 36, 56);
inline constexpr QColor surface4 = rgb(36, 48, 73);
inline constexpr QColor text1 = rgb(243, 246, 251);
inline constexpr QColor text2 = rgb(166, 176, 195);
inline constexpr QColor text3 = rgb(108, 120, 145);
inline constexpr QColor textOnAccent = rgb(3, 20, 15);
inline constexpr QColor accent = rgb(110, 240, 210);
inline constexpr QColor accentHover = rgb(147, 246, 224);
inline constexpr QColor accentPressed = rgb(79, 216, 185);
inline constexpr QColor live = rgb(255, 77, 99);
inline constexpr QColor danger = rgb(255, 107, 125);
inline constexpr QColor warning = rgb(255, 197, 96);
inline constexpr QColor success = rgb(94, 227, 154);

inline constexpr QColor hover = rgb(255, 255, 255, 0.06);
inline constexpr QColor pressed = rgb(255, 255, 255, 0.10);
inline constexpr QColor stroke = rgb(255, 255, 255, 0.08);
inline constexpr QColor strokeStrong = rgb(255, 255, 255, 0.15);
inline constexpr QColor scrim = rgb(3, 5, 9, 0.7);
inline constexpr QColor accentSoft = rgb(110, 240, 210, 0.12);

inline constexpr QColor clear = rgb(0, 0, 0, 0.0);

// The window's own background, under everything the views draw.
inline constexpr QColor windowBackground = rgbF(0.02f, 0.03f, 0.06f);

// Shadows, from the lowest panel to the highest.
inline constexpr QColor shadowCard = rgb(0, 0, 0, 0.25);   // a poster at rest
inline constexpr QColor shadowKnob = rgb(0, 0, 0, 0.33);   // the seek bar's knob
inline constexpr QColor shadowNotice = rgb(0, 0, 0, 0.4);  // banners and notices
inline constexpr QColor shadowRaised = rgb(0, 0, 0, 0.45); // panels, a poster under the pointer
inline constexpr QColor shadowDeep = rgb(0, 0, 0, 0.5);    // menus, the detail page's poster

// Plates, tracks and side columns.
inline constexpr QColor artworkBadge = rgb(0, 0, 0, 0.62);       // badges over artwork
inline constexpr QColor badgeFill = rgb(255, 255, 255, 0.08);    // neutral badges
inline constexpr QColor track = rgb(255, 255, 255, 0.12);        // the track of a progress line
inline constexpr QColor sidePanel = rgb(8, 12, 22, 0.6);         // bg1 beside a page's content
inline constexpr QColor backdropFade = rgb(5, 8, 15, 0.2);       // bg0 at the top of a backdrop
inline constexpr QColor liveSoft = rgb(255, 77, 99, 0.18);       // the plate of the "LIVE" badge
inline constexpr QColor dangerSoft = rgb(255, 107, 125, 0.12);   // the plate of a danger badge
inline constexpr QColor accentGlow = rgb(110, 240, 210, 0.10);   // the welcome page's glow
inline constexpr QColor accentClear = rgb(110, 240, 210, 0.0);   // where that glow fades out
inline constexpr QColor accentActive = rgb(110, 240, 210, 0.45); // the edge of the active playlist
inline constexpr QColor accentHoverEdge = rgb(110, 240, 210, 0.5); // the edge of a tile under the pointer
inline constexpr QColor accentFocus = rgb(110, 240, 210, 0.6);   // the edge of a focused field or row
inline constexpr QColor accentCount = rgb(110, 240, 210, 0.8);   // the count of the chosen category

// The video site's own red, and its plate.
inline constexpr QColor siteRed = rgb(255, 61, 61);
inline constexpr QColor siteRedSoft = rgb(255, 61, 61, 0.12);

// The card of a mandatory update, which keeps a look of its own.
inline constexpr QColor sheetFill = rgbF(0.07f, 0.08f, 0.12f);
inline constexpr QColor sheetEdge = rgb(255, 255, 255, 0.12);
inline constexpr QColor sheetText = rgb(255, 255, 255, 0.78);
inline constexpr QColor sheetNote = rgb(255, 255, 255, 0.6);
inline constexpr QColor sheetButton = rgbF(0.29f, 0.5f, 1.0f);
inline constexpr QColor sheetButtonPressed = rgbF(0.22f, 0.42f, 0.9f);

// The player, over video: shades, plates and white texts at a few strengths.
inline constexpr QColor videoShadeTop = rgb(0, 0, 0, 0.75);
inline constexpr QColor videoShadeBottom = rgb(0, 0, 0, 0.85);
inline constexpr QColor videoCard = rgb(14, 20, 34, 0.95); // surface1 nearly opaque
inline constexpr QColor zapPlate = rgb(0, 0, 0, 0.6);
inline constexpr QColor videoTrack = rgb(255, 255, 255, 0.2);
inline constexpr QColor videoNext = rgb(255, 255, 255, 0.85);        // what comes next
inline constexpr QColor videoTime = rgb(255, 255, 255, 0.8);         // a film's times
inline constexpr QColor videoSubtitle = rgb(255, 255, 255, 0.72);    // the line under the title
inline constexpr QColor videoNowTime = rgb(255, 255, 255, 0.7);      // the programme's times
inline constexpr QColor videoDescription = rgb(255, 255, 255, 0.68); // the programme's description
inline constexpr QColor videoMessage = rgb(255, 255, 255, 0.6);      // no programme to show
inline constexpr QColor videoNote = rgb(255, 255, 255, 0.5);         // headings and small notes

} // namespace Palette
