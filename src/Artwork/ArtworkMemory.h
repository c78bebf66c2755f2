#pragma once

#include <QCache>
#include <QCoroTask>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

class ArtworkCache;

// Decoded artwork in memory, and the addresses whose last load failed, shared by every artwork
// view. Pictures are decoded from the disk cache's files as thumbnails no larger than the size a
// view asks for, off the main thread, and kept within a cost limit (bytes of pixels); a failed
// address is not tried again until the cache is cleared. main() builds it over the disk cache of
// the user's artwork directory and hands it to the views (the QML singleton `ArtworkMemory`).
class ArtworkMemory final : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 costLimit = 160LL * 1024 * 1024;

    explicit ArtworkMemory(ArtworkCache &disk, QObject *parent = nullptr);
    ~ArtworkMemory() override;

    // The address as it prints, "@" and the size: one address at two sizes is two entries.
    [[nodiscard]] static QString key(const QUrl &address, int maxPixel);
    // The picture of `path` with its stored orientation applied, scaled down (never up) so that
    // its longer side is at most `maxPixel`; null when the file holds no picture.
    [[nodiscard]] static QImage decode(const QString &path, int maxPixel);

    // The decoded picture, without waiting; null when it is not in memory.
    [[nodiscard]] QImage cached(const QString &key) const;
    [[nodiscard]] bool hasFailed(const QString &key) const { return m_failures.contains(key); }
    // The picture from memory, else from the disk cache's file decoded on a worker thread; null
    // when it cannot be had, which is remembered.
    [[nodiscard]] QCoro::Task<QImage> load(QUrl address, int maxPixel);

    // Empties the disk cache, then the pictures and failures in memory.
    [[nodiscard]] QCoro::Task<void> clear();

    // Bytes of pixels held now, and how many pictures.
    [[nodiscard]] qint64 totalCost() const { return m_pictures.totalCost(); }
    [[nodiscard]] qsizetype count() const { return m_pictures.size(); }

private:
    ArtworkCache &m_disk;
    QCache<QString, QImage> m_pictures;
    QSet<QString> m_failures;
};
