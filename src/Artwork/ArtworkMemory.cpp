#include "ArtworkMemory.h"

#include "ArtworkCache.h"
#include "Support/Async.h"

#include <QImageReader>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

qint64 costOf(const QImage &image)
{
    return qint64(image.bytesPerLine()) * image.height();
}

} // namespace

ArtworkMemory::ArtworkMemory(ArtworkCache &disk, QObject *parent)
    : QObject(parent)
    , m_disk(disk)
    , m_pictures(costLimit)
{
}

ArtworkMemory::~ArtworkMemory() = default;

QString ArtworkMemory::key(const QUrl &address, int maxPixel)
{
    return QString::fromUtf8(address.toEncoded()) + u'@' + QString::number(maxPixel);
}

QImage ArtworkMemory::decode(const QString &path, int maxPixel)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const int longest = std::max(stored.width(), stored.height());
    if (stored.isValid() && maxPixel > 0 && longest > maxPixel) {
        const qreal factor = qreal(maxPixel) / longest;
        reader.setScaledSize(QSize(std::max(1, qRound(stored.width() * factor)),
                                   std::max(1, qRound(stored.height() * factor))));
    }
    QImage image = reader.read();
    if (image.isNull())
        return image;
    // Drawn often, decoded once: the formats the painter draws fastest.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

QImage ArtworkMemory::cached(const QString &key) const
{
    const QImage *picture = m_pictures.object(key);
    return picture ? *picture : QImage();
}

QCoro::Task<QImage> ArtworkMemory::load(QUrl address, int maxPixel)
{
    const QString key = ArtworkMemory::key(address, maxPixel);
    if (const QImage *picture = m_pictures.object(key))
        co_return *picture;
    if (m_failures.contains(key))
        co_return QImage();
    QPointer<ArtworkMemory> self(this);
    const std::optional<QString> file = co_await m_disk.cachedFile(address);
    if (!self)
        co_return QImage();
    if (!file) {
        self->m_failures.insert(key);
        co_return QImage();
    }
    QImage image;
    try {
        image = co_await Async::detached([path = *file, maxPixel] { return decode(path, maxPixel); });
    } catch (...) {
        image = QImage();
    }
    if (!self)
        co_return image;
    if (image.isNull())
        self->m_failures.insert(key);
    else
        self->m_pictures.insert(key, new QImage(image), costOf(image));
    co_return image;
}

QCoro::Task<void> ArtworkMemory::clear()
{
    QPointer<ArtworkMemory> self(this);
    co_await m_disk.clear();
    if (!self)
        co_return;
    self->m_pictures.clear();
    self->m_failures.clear();
}
