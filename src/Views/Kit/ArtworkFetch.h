#pragma once

#include "Artwork/ArtworkMemory.h"

#include <QCoroTask>
#include <QImage>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

// How a view gets its picture from the artwork memory it is handed: from memory at once when it
// is there, else from a load that a newer request (or the view's end) makes void. Each request
// forgets the ones before it.
class ArtworkFetch final
{
public:
    // `loaded` tells a picture that arrived after the request from one that was in memory.
    using Show = std::function<void(const QImage &image, bool loaded)>;

    [[nodiscard]] ArtworkMemory *memory() const { return m_memory; }
    // False when it is the memory already set.
    bool setMemory(ArtworkMemory *memory);

    // Asks for the picture of `url` at `maxPixel` for `owner`, a QML item. `show` is called at
    // once with the picture in memory (null when there is none, or no memory), and again with a
    // picture loaded later, unless a newer request came first or the owner has gone.
    void request(QObject *owner, const QUrl &url, int maxPixel, Show show);
    // Makes any load under way void.
    void cancel() { ++*m_generation; }

private:
    static QCoro::Task<void> load(QPointer<QObject> owner, QPointer<ArtworkMemory> memory,
                                  std::shared_ptr<int> generation, int expected, QUrl url, int maxPixel, Show show);

    QPointer<ArtworkMemory> m_memory;
    // Shared with the loads, which may outlive the fetch.
    std::shared_ptr<int> m_generation = std::make_shared<int>(0);
};
