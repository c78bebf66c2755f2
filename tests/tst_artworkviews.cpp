#include "Artwork/ArtworkMemory.h"
#include "Views/Kit/ArtworkPlaceholder.h"
#include "support/ArtworkFixture.h"
#include "support/AwaitBlocking.h"
#include "support/FakeProvider.h"
#include "support/ColourChecks.h"
#include "support/QmlHarness.h"

#include <QBuffer>
#include <QImageWriter>
#include <QQuickItem>
#include <QDir>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <memory>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// A picture file of `size`, stored turned by `transformation` when one is given.
QString writePicture(const QString &path, QSize size, QImageIOHandler::Transformations transformation = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QImageWriter writer(path, "jpeg");
    writer.setTransformation(transformation);
    return writer.write(image) ? path : QString();
}

} // namespace

class ArtworkViewsTest final : public QObject
{
    Q_OBJECT

private:
    [[nodiscard]] int artworkRequests() const
    {
        int count = 0;
        for (const FakeRequest &request : m_provider->requests())
            count += request.path.startsWith(u"/artwork/"_s) ? 1 : 0;
        return count;
    }

    [[nodiscard]] QString address(const QString &path) const { return m_provider->artworkURL(path).toString(); }

    static QString artworkQml(const QString &url, const QString &extra = QString())
    {
        return u"Artwork { memory: ArtworkMemory; width: 120; height: 180; url: \"%1\"; title: \"The Harbour\"; "
               "contentMode: Artwork.Fill; maxPixel: 264; fallbackFont: 19.2; logoPadding: 0; %2 }"_s.arg(url, extra);
    }

    QQuickItem *createArtwork(QmlHarness &harness, const QString &url, const QString &extra = QString())
    {
        return harness.createFromQml(artworkQml(url, extra));
    }

    std::unique_ptr<FakeProvider> m_provider;
    std::unique_ptr<ArtworkFixture> m_artwork;
    ArtworkMemory *m_memory = nullptr;

private Q_SLOTS:
    void init()
    {
        m_provider = std::make_unique<FakeProvider>();
        m_artwork = std::make_unique<ArtworkFixture>();
        m_memory = &m_artwork->memory();
    }

    void cleanup()
    {
        m_artwork.reset();
        m_provider.reset();
    }

    void makesInitialsFromTheTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("initials");
        QTest::newRow("country tag") << u"UK: Channel One HD"_s << u"CO"_s;
        QTest::newRow("bracketed tag and year") << u"[FR] | Cinema+ (1998)"_s << u"C"_s;
        QTest::newRow("parenthesised tag") << u"(DE) - Das Erste"_s << u"DE"_s;
        QTest::newRow("lower case") << u"the harbour"_s << u"TH"_s;
        QTest::newRow("digits") << u"24 Hours"_s << u"2H"_s;
        QTest::newRow("accents") << u"\u00e9cole \u00e0 Paris"_s << u"\u00c9\u00c0"_s;
        QTest::newRow("right to left") << u"\u0627\u0644\u062c\u0632\u064a\u0631\u0629 \u0645\u0628\u0627\u0634\u0631"_s
                                       << u"\u0627\u0645"_s;
        QTest::newRow("beyond the basic plane") << u"\U0001D49C\U0001D49D word"_s << u"\U0001D49CW"_s;
        QTest::newRow("empty") << QString() << u"\u2022"_s;
        QTest::newRow("marks only") << u"---"_s << u"\u2022"_s;
        QTest::newRow("bracketed only") << u"(HD)"_s << u"\u2022"_s;
    }

    void makesInitialsFromTheTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, initials);
        QCOMPARE(ArtworkPlaceholder::initials(title), initials);
    }

    void choosesTheGradientByTheTitlesHash_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("index");
        // djb2 over the UTF-8 bytes, modulo 6.
        QTest::newRow("empty") << QString() << 5;
        QTest::newRow("one letter") << u"a"_s << 4;
        QTest::newRow("channel") << u"UK: Channel One HD"_s << 4;
        QTest::newRow("film") << u"the harbour"_s << 1;
        QTest::newRow("not Latin") << u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"_s << 1;
    }

    void choosesTheGradientByTheTitlesHash()
    {
        QFETCH(QString, title);
        QFETCH(int, index);
        QCOMPARE(ArtworkPlaceholder::paletteIndex(title), index);
        const auto [first, second] = ArtworkPlaceholder::colours(index);
        QVERIFY(first.isValid() && second.isValid() && first != second);
        QCOMPARE(ArtworkPlaceholder::colours(0).first, QColor(0x1B, 0x2A, 0x4A));
        QCOMPARE(ArtworkPlaceholder::colours(5).second, QColor(0x10, 0x17, 0x0C));
    }

    void decodesThumbnailsNoLargerThanAsked_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("transformation");
        QTest::addColumn<int>("maxPixel");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("scaled down") << QSize(200, 300) << 0 << 100 << QSize(67, 100);
        QTest::newRow("never up") << QSize(200, 300) << 0 << 1000 << QSize(200, 300);
        QTest::newRow("landscape") << QSize(400, 100) << 0 << 200 << QSize(200, 50);
        QTest::newRow("stored turned") << QSize(200, 100) << int(QImageIOHandler::TransformationRotate90) << 100
                                       << QSize(50, 100);
    }

    void decodesThumbnailsNoLargerThanAsked()
    {
        QFETCH(QSize, stored);
        QFETCH(int, transformation);
        QFETCH(int, maxPixel);
        QFETCH(QSize, decoded);
        const QString path = writePicture(QDir(m_artwork->root()).filePath(u"picture.jpg"_s), stored,
                                          QImageIOHandler::Transformations(transformation));
        QVERIFY(!path.isEmpty());
        QCOMPARE(ArtworkMemory::decode(path, maxPixel).size(), decoded);
    }

    void aFileThatIsNoPictureDecodesToNothing()
    {
        QFile file(QDir(m_artwork->root()).filePath(u"text.jpg"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("This is not a picture.");
        file.close();
        QVERIFY(ArtworkMemory::decode(file.fileName(), 100).isNull());
    }

    void keepsPicturesPerSizeAndRemembersFailures()
    {
        const QUrl poster = m_provider->artworkURL(u"poster.png"_s);
        QVERIFY(m_memory->cached(ArtworkMemory::key(poster, 150)).isNull());
        const QImage small = awaitBlocking(m_memory->load(poster, 150));
        QCOMPARE(small.size(), QSize(100, 150));
        QCOMPARE(m_memory->cached(ArtworkMemory::key(poster, 150)).size(), QSize(100, 150));
        QCOMPARE(awaitBlocking(m_memory->load(poster, 60)).size(), QSize(40, 60));
        QCOMPARE(m_memory->count(), 2);
        QCOMPARE(m_memory->totalCost(), qint64(100 * 4 * 150 + 40 * 4 * 60));
        QCOMPARE(artworkRequests(), 1);

        // Not found, and found but no picture: both remembered, neither asked for again.
        for (const QString &path : {u"status/404/gone.jpg"_s, u"text/words.jpg"_s}) {
            const QUrl failing = m_provider->artworkURL(path);
            QVERIFY(awaitBlocking(m_memory->load(failing, 150)).isNull());
            QVERIFY(m_memory->hasFailed(ArtworkMemory::key(failing, 150)));
            QVERIFY(awaitBlocking(m_memory->load(failing, 150)).isNull());
        }
        QCOMPARE(artworkRequests(), 3);

        // Clearing empties the disk, the pictures and the failures: everything is asked for again.
        awaitBlocking(m_memory->clear());
        QCOMPARE(m_memory->count(), 0);
        QVERIFY(awaitBlocking(m_memory->load(m_provider->artworkURL(u"status/404/gone.jpg"_s), 150)).isNull());
        QVERIFY(!awaitBlocking(m_memory->load(poster, 150)).isNull());
        QCOMPARE(artworkRequests(), 5);
    }

    void keepsWithinItsCostLimit()
    {
        // Pictures of 1000 x 1000 pixels cost 4,000,000 bytes: 41 fit in 160 MiB.
        for (int index = 0; index < 45; ++index)
            QVERIFY(!awaitBlocking(m_memory->load(m_provider->artworkURL(u"1000x1000/p%1.jpg"_s.arg(index)), 1000)).isNull());
        QVERIFY(m_memory->totalCost() <= ArtworkMemory::costLimit);
        QCOMPARE(m_memory->count(), 41);
    }

    void withoutAnAddressShowsTheOutlinedPlaceholderAndAsksForNothing()
    {
        QmlHarness harness;
        QQuickItem *artwork = createArtwork(harness, QString(), u"radius: 12; outline: \"white\""_s);
        QVERIFY(artwork);
        QmlHarness::settle();
        QVERIFY(!artwork->property("shown").toBool());
        QCOMPARE(artworkRequests(), 0);
        // The gradient of "The Harbour" runs from its first colour at the top left.
        const auto [from, to] = ArtworkPlaceholder::colours(ArtworkPlaceholder::paletteIndex(u"The Harbour"));
        QVERIFY_COLOUR_WITHIN(harness.pixel(artwork, QPointF(14, 14)), from, 6);
        QVERIFY_COLOUR_WITHIN(harness.pixel(artwork, QPointF(106, 166)), to, 6);
        // The corners are rounded on the picture itself, and the outline runs along its edges.
        QVERIFY_COLOUR_WITHIN(harness.pixel(artwork, QPointF(0.5, 0.5)), QColor(5, 8, 15), 6);
        QVERIFY(harness.pixel(artwork, QPointF(0, 90)).lightness() > 200);
        QVERIFY(harness.pixel(artwork, QPointF(60, 179)).lightness() > 200);
        // The initials, in translucent white, are the lightest thing in the middle.
        const QImage middle = harness.grab(artwork).copy(20, 60, 80, 60);
        int lightest = 0;
        for (int y = 0; y < middle.height(); ++y) {
            for (int x = 0; x < middle.width(); ++x)
                lightest = std::max(lightest, middle.pixelColor(x, y).lightness());
        }
        QVERIFY(lightest > std::max(from.lightness(), to.lightness()) + 60);
    }

    void aLoadedPictureFadesInAndAKnownOneShowsAtOnce()
    {
        QmlHarness harness;
        const QString url = address(u"harbour.png"_s);
        QQuickItem *artwork = createArtwork(harness, url);
        QVERIFY(artwork);
        QVERIFY(!artwork->property("shown").toBool());
        QTRY_VERIFY(artwork->property("shown").toBool());
        QmlHarness::settle();
        QVERIFY_COLOUR_WITHIN(harness.pixel(artwork, QPointF(60, 90)), FakeArtwork::centreColour(u"harbour.png"_s), 6);

        // A second view of the same address and size shows the picture at its first frame.
        QQuickItem *again = createArtwork(harness, url);
        QVERIFY(again->property("shown").toBool());
        QVERIFY_COLOUR_WITHIN(harness.pixel(again, QPointF(60, 90)), FakeArtwork::centreColour(u"harbour.png"_s), 6);
        QCOMPARE(artworkRequests(), 1);

        // A new address brings the placeholder back until its own picture arrives.
        again->setProperty("url", QUrl(address(u"lighthouse.png"_s)));
        QVERIFY(!again->property("shown").toBool());
        QTRY_VERIFY(again->property("shown").toBool());

        // A view of another frame, whose fitted copy is still to be made, shows the picture in
        // memory at its first frame too: never the placeholder.
        QQuickItem *framed = createArtwork(harness, url, u"radius: 6"_s);
        QVERIFY(framed->property("shown").toBool());
        QVERIFY_COLOUR_WITHIN(harness.pixel(framed, QPointF(60, 90)), FakeArtwork::centreColour(u"harbour.png"_s), 6);
        QCOMPARE(artworkRequests(), 2);
    }

    void aFailedAddressIsNotAskedForAgainUntilCleared()
    {
        QmlHarness harness;
        const QString url = address(u"status/500/broken.jpg"_s);
        QVERIFY(createArtwork(harness, url));
        QTRY_COMPARE(artworkRequests(), 1);
        QTRY_VERIFY(m_memory->hasFailed(ArtworkMemory::key(QUrl(url), 264)));
        QQuickItem *pair = harness.createFromQml(u"Row { %1 %2 }"_s.arg(artworkQml(url, u"objectName: \"again\""_s),
                                                                        artworkQml(QString(), u"objectName: \"later\""_s)));
        QQuickItem *second = QmlHarness::find(pair, u"again"_s);
        // A picture asked for afterwards shows once it is in: a request for the failed address
        // would have gone out before its own.
        QQuickItem *later = QmlHarness::find(pair, u"later"_s);
        later->setProperty("url", QUrl(address(u"lighthouse.png"_s)));
        QTRY_VERIFY(later->property("shown").toBool());
        QVERIFY(!second->property("shown").toBool());
        QCOMPARE(artworkRequests(), 2);

        awaitBlocking(m_memory->clear());
        createArtwork(harness, url);
        QTRY_COMPARE(artworkRequests(), 3);
    }

    void aViewGoneBeforeItsPictureLeavesThePictureInMemory()
    {
        const QString url = address(u"scrolled-away.png"_s);
        {
            QmlHarness harness;
            m_provider->artwork().hold();
            QVERIFY(createArtwork(harness, url));
            QTRY_COMPARE(artworkRequests(), 1);
        }
        m_provider->artwork().release();
        QTRY_VERIFY(!m_memory->cached(ArtworkMemory::key(QUrl(url), 264)).isNull());
    }

    void aChannelLogoFollowsItsSize()
    {
        QmlHarness harness;
        QQuickItem *logo = harness.create(u"ChannelLogo"_s, {{u"title"_s, u"BBC One"_s}, {u"size"_s, 40}});
        QVERIFY(logo);
        QCOMPARE(logo->width(), 58.0);
        QCOMPARE(logo->height(), 40.0);
        QQuickItem *artwork = QmlHarness::find(logo, u"artwork"_s);
        QCOMPARE(artwork->property("maxPixel").toInt(), 100);
        QCOMPARE(artwork->property("fallbackFont").toReal(), 12.8);
        QCOMPARE(artwork->property("logoPadding").toReal(), 4.8);
        QCOMPARE(artwork->property("contentMode").toInt(), 0);
    }
};

QTEST_MAIN(ArtworkViewsTest)
#include "tst_artworkviews.moc"
