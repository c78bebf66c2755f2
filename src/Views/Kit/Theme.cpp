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

QFont Theme::font(qreal pixels, int weight, qreal tracking)
{
    return Fonts::interface(pixels, weight, tracking);
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
