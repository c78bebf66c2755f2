#pragma once

#include "App/QmlSingletons.h"
#include "Artwork/ArtworkCache.h"
#include "Artwork/ArtworkMemory.h"

#include <QTemporaryDir>

// Artwork caches of a test's own in a temporary directory, handed to every QML engine the test
// makes while the fixture lives, as main() hands the program's to the views.
class ArtworkFixture final
{
public:
    ArtworkFixture()
        : m_disk(m_root.path())
        , m_memory(m_disk)
    {
        QmlSingletons::provide(m_memory);
    }

    ArtworkFixture(const ArtworkFixture &) = delete;
    ArtworkFixture &operator=(const ArtworkFixture &) = delete;

    [[nodiscard]] QString root() const { return m_root.path(); }
    [[nodiscard]] ArtworkMemory &memory() { return m_memory; }

private:
    QTemporaryDir m_root;
    ArtworkCache m_disk;
    ArtworkMemory m_memory;
};
