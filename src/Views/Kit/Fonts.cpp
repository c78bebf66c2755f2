#include "Fonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <cmath>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<QStringView, 5> fontFiles{u"Inter-Regular.otf", u"Inter-Medium.otf", u"Inter-SemiBold.otf",
                                               u"Inter-Bold.otf", u"MaterialIcons-Regular.ttf"};

// Whole pixel sizes are set as such; fractional ones go through points at the logical DPI that
// text rendering converts them back with, so that 13.5 px stays 13.5 px.
void setSize(QFont &font, qreal pixels)
{
    if (pixels == std::floor(pixels)) {
        font.setPixelSize(int(pixels));
        return;
    }
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font.setPointSizeF(pixels * 72.0 / dpi);
}

} // namespace

namespace Fonts {

void registerBundled()
{
    static std::once_flag registered;
    std::call_once(registered, [] { registerFrom(bundleRoot.toString()); });
}

int registerFrom(const QString &root)
{
    const QDir folders[] = {QDir(root + u"/Fonts"_s), QDir(root)};
    int count = 0;
    for (const auto name : fontFiles) {
        for (const QDir &folder : folders) {
            const QString path = folder.filePath(name.toString());
            if (!QFile::exists(path))
                continue;
            if (QFontDatabase::addApplicationFont(path) >= 0)
                ++count;
            break;
        }
    }
    return count;
}

QFont interface(qreal pixels, int weight, qreal tracking)
{
    QFont font;
    font.setFamilies({interfaceFamily.toString(), emojiFamily.toString()});
    setSize(font, pixels);
    font.setWeight(QFont::Weight(weight));
    if (tracking != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return font;
}

QFont icon(qreal pixels)
{
    QFont font(iconFamily.toString());
    setSize(font, pixels);
    return font;
}

} // namespace Fonts
