#include "ArtworkFetch.h"

#include "Artwork/ArtworkMemory.h"

bool ArtworkFetch::setMemory(ArtworkMemory *memory)
{
    if (m_memory == memory)
        return false;
    m_memory = memory;
    return true;
}

void ArtworkFetch::request(QObject *owner, const QUrl &url, int maxPixel, Show show)
{
    const int generation = ++*m_generation;
    ArtworkMemory *memory = url.isEmpty() ? nullptr : m_memory.get();
    if (!memory) {
        show(QImage(), false);
        return;
    }
    // A picture already decoded shows at once, without the placeholder flashing first.
    const QImage cached = memory->cached(ArtworkMemory::key(url, maxPixel));
    show(cached, false);
    if (cached.isNull())
        load(QPointer(owner), QPointer(memory), m_generation, generation, url, maxPixel, std::move(show));
}

QCoro::Task<void> ArtworkFetch::load(QPointer<QObject> owner, QPointer<ArtworkMemory> memory,
                                     std::shared_ptr<int> generation, int expected, QUrl url, int maxPixel, Show show)
{
    const QImage image = co_await memory->load(url, maxPixel);
    if (owner && *generation == expected && !image.isNull())
        show(image, true);
}
