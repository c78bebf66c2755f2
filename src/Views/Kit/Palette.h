#pragma once

#include <QColor>

// The 23 colours of the dark-only interface. Opaque colours are exact fractions of 255; the
// translucent ones are white or a colour at a given opacity, kept at 16 bits so that the
// opacity is not rounded to a byte.
namespace Palette {

// sRGB components in 0-255 at an opacity from 0 to 1.
[[nodiscard]] constexpr QColor rgb(int red, int green, int blue, double opacity = 1.0)
{
    return QColor(QColor::Rgb, ushort(opacity * 0xffff + 0.5), ushort(red * 0x101), ushort(green * 0x101),
                  ushort(blue * 0x101));
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

} // namespace Palette
