#pragma once

#include "Catalogue/CatalogueSchema.h"
#include "support/CatalogueFixture.h"
#include "support/CatalogueGenerator.h"

#include <QElapsedTimer>

#include <cstdio>
#include <functional>

// The benchmarks' large catalogue of one playlist in a real file, by default 300,000 items (60k
// channels, 200k films, 40k series), with the planner's statistics taken as an import leaves them.
class LargeCatalogue final
{
public:
    static constexpr qint64 playlist = 1;
    using Extra = std::function<void(CatalogueFixture &, const GeneratedCatalogue &)>;

    // `extra` writes further rows (favourites, a guide) before the statistics are taken.
    explicit LargeCatalogue(const Extra &extra = {}) : LargeCatalogue({60000, 200000, 40000}, extra) {}
    LargeCatalogue(const CatalogueSize &size, const Extra &extra)
        : m_catalogue(generateCatalogue(size))
    {
        QElapsedTimer setup;
        setup.start();
        m_fixture.addPlaylist(playlist);
        m_fixture.addCatalogue(playlist, m_catalogue);
        if (extra)
            extra(m_fixture, m_catalogue);
        CatalogueSchema::updateStatistics(m_fixture.database());
        std::printf("catalogue: %lld items, %lld categories, written in %.1f s\n\n", qint64(m_catalogue.items.size()),
                    qint64(m_catalogue.categories.size()), double(setup.elapsed()) / 1000.0);
    }

    [[nodiscard]] const GeneratedCatalogue &catalogue() const { return m_catalogue; }
    [[nodiscard]] CatalogueFixture &fixture() { return m_fixture; }

private:
    GeneratedCatalogue m_catalogue;
    CatalogueFixture m_fixture;
};
