#include "FakeArtwork.h"

#include "FakeResponse.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int defaultWidth = 200;
constexpr int defaultHeight = 300;
// Pictures are made in this many colours, so that thousands of addresses cost few encodings.
constexpr int hues = 64;

int hueOf(const QString &name)
{
    return int(qHash(name) % hues) * (360 / hues);
}

} // namespace

FakeArtwork::FakeArtwork(std::function<bool(std::chrono::milliseconds)> pause)
    : m_pause(std::move(pause))
{
}

QByteArray FakeArtwork::picture(int width, int height, const QString &name, const QString &format)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int hue = hueOf(name);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor::fromHsv(hue, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    painter.fillRect(QRect(width / 4, height / 4, width / 2, height / 2), centreColour(name));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format == u"png"_s ? "PNG" : "JPEG");
    return bytes;
}

QColor FakeArtwork::centreColour(const QString &name)
{
    return QColor::fromHsv((hueOf(name) + 180) % 360, 120, 250);
}

QByteArray FakeArtwork::cachedPicture(int width, int height, const QString &name, const QString &format)
{
    const QString key = u"%1x%2/%3/%4"_s.arg(width).arg(height).arg(hueOf(name)).arg(format);
    {
        std::lock_guard lock(m_mutex);
        if (const auto found = m_pictures.constFind(key); found != m_pictures.cend())
            return *found;
    }
    const QByteArray bytes = picture(width, height, name, format);
    std::lock_guard lock(m_mutex);
    m_pictures.insert(key, bytes);
    return bytes;
}

FakeResponse FakeArtwork::respond(const QList<QString> &segments)
{
    const QString form = segments.value(0);
    FakeResponse response;
    if (form == u"status"_s && segments.size() >= 2) {
        const int status = segments.at(1).toInt();
        response = FakeResponse::whole(status, "<html><body>" + QByteArray::number(status) + "</body></html>",
                                       "text/html");
    } else if (form == u"text"_s) {
        response = FakeResponse::whole(200, "This is not a picture.", "text/plain");
    } else if (form == u"empty"_s) {
        response = FakeResponse::whole(200, QByteArray(), "image/jpeg");
    } else if (form == u"stall"_s) {
        response = FakeResponse::whole(200, QByteArray(4096, 'x'), "image/jpeg");
        response.stallAfterBytes = 0;
    } else {
        int width = defaultWidth;
        int height = defaultHeight;
        if (segments.size() >= 2) {
            const QStringList size = form.split(u'x');
            width = size.value(0).toInt();
            height = size.value(1).toInt();
        }
        const QString name = segments.last();
        const QString format = name.endsWith(u".png"_s) ? u"png"_s : u"jpg"_s;
        if (width <= 0 || height <= 0)
            return FakeResponse::whole(400, "bad size", "text/plain");
        response = FakeResponse::whole(200, cachedPicture(width, height, name, format),
                                       format == u"png"_s ? "image/png" : "image/jpeg");
    }
    // Held replies wait inside the body source, on the connection's own thread.
    auto body = std::move(response.body);
    auto waited = std::make_shared<bool>(false);
    response.body = [this, body = std::move(body), waited](QByteArray &out) {
        if (!*waited) {
            *waited = true;
            if (!waitForTurn())
                return FakeResponse::Step::Abort;
        }
        return body ? body(out) : FakeResponse::Step::Done;
    };
    return response;
}

bool FakeArtwork::waitForTurn()
{
    while (true) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_held)
                return true;
            if (m_permits > 0) {
                --m_permits;
                return true;
            }
        }
        if (!m_pause(std::chrono::milliseconds(5)))
            return false;
    }
}

void FakeArtwork::hold()
{
    std::lock_guard lock(m_mutex);
    m_held = true;
    m_permits = 0;
}

void FakeArtwork::letGo(int count)
{
    std::lock_guard lock(m_mutex);
    m_permits += count;
}

void FakeArtwork::release()
{
    std::lock_guard lock(m_mutex);
    m_held = false;
}
