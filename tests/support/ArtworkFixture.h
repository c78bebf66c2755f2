#pragma once

#include "Views/Kit/ArtworkCache.h"
#include "Views/Kit/ArtworkMemory.h"

#include <QTemporaryDir>

// Artwork caches of a test's own in a temporary directory, handed to every QML engine the test
// makes while the fixture lives. Header-only: only tests that link the views use it.
class ArtworkFixture final
{
public:
    ArtworkFixture()
        : m_disk(m_root.path())
        , m_memory(m_disk)
    {
        ArtworkMemory::provide(&m_memory);
    }
    ~ArtworkFixture() { ArtworkMemory::provide(nullptr); }

    ArtworkFixture(const ArtworkFixture &) = delete;
    ArtworkFixture &operator=(const ArtworkFixture &) = delete;

    [[nodiscard]] QString root() const { return m_root.path(); }
    [[nodiscard]] ArtworkCache &disk() { return m_disk; }
    [[nodiscard]] ArtworkMemory &memory() { return m_memory; }

private:
    QTemporaryDir m_root;
    ArtworkCache m_disk;
    ArtworkMemory m_memory;
};
