#include "App/BrowseModel.h"
#include "App/MediaItemValue.h"
#include "Views/Kit/ArtworkPlaceholder.h"
#include "Views/Kit/Palette.h"
#include "support/ArtworkFixture.h"
#include "support/CatalogueItems.h"
#include "support/ColourChecks.h"
#include "support/FakeProvider.h"
#include "support/GallerySheet.h"
#include "support/QmlHarness.h"
#include "support/StoreHarness.h"

#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <memory>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

// Cards, shelves, the item menu and the category column drawn offscreen, with artwork from the
// local provider, into gallery-<part>.png in the working folder; a few pixels of each picture
// are checked against the palette.
class CardsGalleryTest final : public QObject
{
    Q_OBJECT

private:
    // A card in its button, its artwork loaded, hovered or not; the card item itself is answered.
    QQuickItem *showCard(QmlHarness &harness, const QString &card, bool hovered)
    {
        QQuickItem *button = harness.createFromQml(u"QMCardButton { contentItem: %1 }"_s.arg(card));
        if (!button)
            return nullptr;
        QQuickItem *artwork = QmlHarness::find(button, u"artwork"_s);
        const bool withArtwork = !artwork->property("url").toUrl().isEmpty();
        if (withArtwork && !QTest::qWaitFor([artwork] { return artwork->property("shown").toBool(); }))
            return nullptr;
        harness.moveAway();
        if (hovered)
            harness.hover(button);
        QmlHarness::settle();
        return button->property("contentItem").value<QQuickItem *>();
    }

    QString poster(const QString &fields, const QString &extra = QString()) const
    {
        return u"PosterCard { width: 160; item: ({ %1 }); %2 }"_s.arg(fields, extra);
    }

    QString posterArtwork(const QString &name) const
    {
        return u"artworkURL: \"%1\""_s.arg(m_provider->artworkURL(u"300x450/"_s + name).toString());
    }

    std::unique_ptr<FakeProvider> m_provider = std::make_unique<FakeProvider>();
    ArtworkFixture m_artwork;

private Q_SLOTS:

    void posterCards()
    {
        QmlHarness harness({260, 400});
        GallerySheet sheet;
        sheet.addRow(u"Poster cards, 160 wide"_s);

        QQuickItem *card = showCard(harness,
                                    poster(u"title: \"Night Harbour (1979)\", rating: 85, isFavourite: true, genre: \"Drama, Crime, Thriller\", "_s
                                               + posterArtwork(u"harbour.png"_s),
                                           u"progress: 0.25"_s),
                                    false);
        QVERIFY(card);
        sheet.add(u"artwork, rating, favourite, progress"_s, harness.grab(card, 14));
        // The progress line: its accent fill a quarter along, its track beyond.
        QVERIFY_COLOUR(harness.pixel(card, QPointF(20, 240 - 11.5)), Palette::accent);
        // The poster itself, filling the card.
        QVERIFY_COLOUR_WITHIN(harness.pixel(card, QPointF(80, 120)), FakeArtwork::centreColour(u"harbour.png"_s), 6);
        // The outline at rest: the hairline over the picture, not the accent.
        QVERIFY(!sameColour(harness.pixel(card, QPointF(80, 0.5)), Palette::accent, 30));

        card = showCard(harness,
                        poster(u"title: \"Night Harbour (1979)\", rating: 85, isFavourite: true, genre: \"Drama\", "_s
                               + posterArtwork(u"harbour.png"_s)),
                        true);
        sheet.add(u"hovered"_s, harness.grab(card, 14));
        // The hovered card is drawn as one picture and scaled, which softens its edges a little.
        QVERIFY_COLOUR_WITHIN(harness.pixel(card, QPointF(80, 1)), Palette::accent, 24);

        card = showCard(harness, poster(u"title: \"The Harbour\", rating: 7, genre: \"Documentary\""_s), false);
        sheet.add(u"no artwork, rating 7"_s, harness.grab(card, 14));
        QQuickItem *badge = QmlHarness::find(card, u"rating"_s);
        QVERIFY(badge->isVisible());

        card = showCard(harness,
                        poster(u"title: \"A Very Long Title That Needs Two Lines To Be Read\""_s,
                               u"subtitle: \"S2 \u00b7 E4\"; progress: 0.8"_s),
                        false);
        sheet.add(u"long title, subtitle given"_s, harness.grab(card, 14));
        QVERIFY(!QmlHarness::find(card, u"rating"_s)->isVisible());
        QVERIFY(!sheet.save(u"postercards"_s).isEmpty());
    }

    void channelCards()
    {
        QmlHarness harness({320, 260});
        GallerySheet sheet;
        sheet.addRow(u"Channel cards, 240 wide"_s);
        const QString onAir = u"nowTitle: \"News at Six\", nowStart: new Date(Date.now() - 20 * 60000), "
                              "nowEnd: new Date(Date.now() + 40 * 60000)"_s;
        const QString logo = u"artworkURL: \"%1\""_s.arg(m_provider->artworkURL(u"400x200/bbc-one.png"_s).toString());

        QQuickItem *card = showCard(harness, u"ChannelCard { width: 240; item: ({ title: \"BBC One\", %1, %2 }) }"_s.arg(onAir, logo), false);
        QVERIFY(card);
        sheet.add(u"logo, programme"_s, harness.grab(card, 10));
        QQuickItem *live = QmlHarness::find(card, u"liveBadge"_s);
        QVERIFY(live->isVisible());
        // The badge's red dot, 7 in from its leading edge.
        QVERIFY_COLOUR_WITHIN(harness.pixel(live, QPointF(10, live->height() / 2)), Palette::live, 6);
        QVERIFY_COLOUR(harness.pixel(card, QPointF(12, 120 - 9.5)), Palette::accent);

        card = showCard(harness, u"ChannelCard { width: 240; item: ({ title: \"UK: Channel One HD\" }) }"_s, false);
        sheet.add(u"no logo, no programme"_s, harness.grab(card, 10));
        QVERIFY(!QmlHarness::find(card, u"liveBadge"_s)->isVisible());
        QCOMPARE(QmlHarness::find(card, u"subtitle"_s)->property("text").toString(), u"Live TV"_s);

        card = showCard(harness, u"ChannelCard { width: 240; item: ({ title: \"BBC One\", %1, %2 }) }"_s.arg(onAir, logo), true);
        sheet.add(u"hovered"_s, harness.grab(card, 10));
        QVERIFY_COLOUR_WITHIN(harness.pixel(card, QPointF(120, 1)), Palette::accent, 24);
        QVERIFY(!sheet.save(u"channelcards"_s).isEmpty());
    }

    void artwork()
    {
        QmlHarness harness({600, 200});
        GallerySheet sheet;
        // One title for each gradient of the palette, in its order, then two more for their initials.
        const QStringList titles{u"Night Harbour"_s, u"the harbour"_s, u"(HD)"_s, u"Rai Uno"_s, u"UK: Channel One HD"_s,
                                 QString(), u"24 Hours"_s, u"[FR] | Cin\u00e9ma+ (1998)"_s};
        for (qsizetype index = 0; index < titles.size(); ++index) {
            if (index == 0)
                sheet.addRow(u"Placeholders: the six gradients in palette order, initials from the title"_s);
            if (index == 6)
                sheet.addRow(u"More initials"_s);
            const QString &title = titles.at(index);
            QQuickItem *view = harness.createFromQml(
                u"Artwork { memory: ArtworkMemory; width: 80; height: 120; title: \"%1\"; contentMode: Artwork.Fill; "
                "maxPixel: 176; fallbackFont: 12.8; logoPadding: 0; radius: 12 }"_s.arg(title));
            QVERIFY(view);
            QmlHarness::settle();
            sheet.add(title.isEmpty() ? u"(empty)"_s : title, harness.grab(view, 6));
            if (index < ArtworkPlaceholder::paletteSize) {
                QCOMPARE(ArtworkPlaceholder::paletteIndex(title), int(index));
                QVERIFY_COLOUR_WITHIN(harness.pixel(view, QPointF(10, 10)), ArtworkPlaceholder::colours(int(index)).first, 8);
            }
        }
        sheet.addRow(u"Channel logos, 40 and 28 high"_s);
        for (const auto &[size, url] : {std::pair{40, m_provider->artworkURL(u"400x200/logo.png"_s)}, std::pair{40, QUrl()},
                                        std::pair{28, QUrl()}}) {
            QQuickItem *logo = harness.create(u"ChannelLogo"_s, {{u"size"_s, size}, {u"title"_s, u"BBC One"_s}, {u"url"_s, url}});
            QVERIFY(logo);
            QQuickItem *view = QmlHarness::find(logo, u"artwork"_s);
            if (!url.isEmpty())
                QTRY_VERIFY(view->property("shown").toBool());
            QmlHarness::settle();
            sheet.add(url.isEmpty() ? u"no logo"_s : u"logo"_s, harness.grab(logo, 6));
            // The tile's rounded corner shows the window behind it.
            QVERIFY_COLOUR(harness.pixel(logo, QPointF(0.5, 0.5)), Palette::bg0);
        }
        QVERIFY(!sheet.save(u"artwork"_s).isEmpty());
    }

    void shelf()
    {
        QmlHarness harness({1000, 420});
        QQuickItem *shelf = harness.createFromQml(uR"qml(
            Shelf {
                width: 950
                title: "Recently added"
                subtitle: "20 films"
                model: 20
                delegate: QMCardButton {
                    required property int index
                    contentItem: PosterCard {
                        width: 150
                        item: ({ title: "Film number " + (parent.index + 1), rating: 60 + parent.index,
                                 genre: "Drama, Mystery" })
                    }
                }
                QMButton { text: "See all"; compact: true; kind: QMButtonKind.Ghost }
            })qml"_s);
        QVERIFY(shelf);
        QmlHarness::settle();
        GallerySheet sheet;
        sheet.addRow(u"A shelf 950 wide with a trailing button, at rest"_s);
        sheet.add(QString(), harness.grab(shelf, 8));
        QQuickItem *on = QmlHarness::find(shelf, u"scrollOn"_s);
        QVERIFY_COLOUR(harness.pixel(on, QPointF(15, 3)), Palette::surface2);
        harness.click(on);
        QTRY_COMPARE(shelf->property("offset").toReal(), 760.0);
        harness.moveAway();
        QmlHarness::settle();
        sheet.addRow(u"After one step to the right (0.8 of the width)"_s);
        sheet.add(QString(), harness.grab(shelf, 8));
        QVERIFY(!sheet.save(u"shelf"_s).isEmpty());
    }

    void categoryColumn()
    {
        StoreHarness store;
        store.start();
        BrowseModel listed(CatalogueKind::Live, store.store());
        listed.setCategories({category(u"1"_s, u"UK: News"_s, u"en"_s, 48, false),
                              category(u"2"_s, u"UK: Sport"_s, u"en"_s, 1250, false),
                              category(u"3"_s, u"FR: Infos"_s, u"fr"_s, 12, false),
                              category(u"4"_s, u"\u0627\u0644\u0639\u0631\u0628\u064a\u0629: \u0623\u062e\u0628\u0627\u0631"_s,
                                       u"ar"_s, 7, false),
                              category(u"5"_s, u"DE: Kinder"_s, u"de"_s, 30, true)});
        listed.setScope(BrowseScope::category(u"2"_s));
        BrowseModel hidden(CatalogueKind::Movie, store.store());
        hidden.setCategories({category(u"7"_s, u"EN: Films"_s, u"en"_s, 10, true)});

        QmlHarness harness({700, 620});
        QQuickItem *board = harness.createFromQml(uR"qml(
            Row {
                spacing: 24
                property alias first: first
                property alias second: second
                CategoryColumn { id: first; objectName: "listed"; height: 520 }
                CategoryColumn { id: second; objectName: "hidden"; height: 520 }
            })qml"_s);
        QVERIFY(board);
        QQuickItem *first = QmlHarness::find(board, u"listed"_s);
        QQuickItem *second = QmlHarness::find(board, u"hidden"_s);
        first->setProperty("model", QVariant::fromValue(&listed));
        second->setProperty("model", QVariant::fromValue(&hidden));
        harness.hover(QmlHarness::find(first, u"category-3"_s));
        QmlHarness::settle();
        GallerySheet sheet;
        sheet.addRow(u"Live TV with \"UK: Sport\" chosen and the pointer over \"FR: Infos\"; films whose categories are all hidden"_s);
        sheet.add(QString(), harness.grab(board, 8));
        QVERIFY(!sheet.save(u"categorycolumn"_s).isEmpty());

        QCOMPARE(QmlHarness::find(second, u"message"_s)->property("text").toString(), u"All categories are hidden"_s);
        QCOMPARE(QmlHarness::find(second, u"allRow"_s)->property("title").toString(), u"\u2068All movies\u2069"_s);
        QVERIFY_COLOUR(harness.pixel(first, QPointF(4, 200)), onBackground(Palette::rgb(8, 12, 22, 0.6)));
        QQuickItem *chosen = QmlHarness::find(first, u"category-2"_s);
        QVERIFY_COLOUR(harness.pixel(chosen, QPointF(3, 17)), blended(Palette::accentSoft, onBackground(Palette::rgb(8, 12, 22, 0.6))));
        QCOMPARE(QmlHarness::find(chosen, u"count"_s)->property("text").toString(), u"1,250"_s);
        QQuickItem *language = QmlHarness::find(first, u"languageButton"_s);
        QVERIFY_COLOUR(harness.pixel(language, QPointF(6, 17)), Palette::surface2);
    }

    void itemMenu()
    {
        QmlHarness harness({420, 400});
        QQuickItem *root = harness.createFromQml(uR"qml(
            Item {
                id: root
                property var film
                width: 360; height: 340
                QMCardButton {
                    objectName: "card"
                    contentItem: PosterCard { width: 140; item: root.film }
                    TapHandler {
                        acceptedButtons: Qt.RightButton
                        onTapped: point => menu.openFor(root.film, parent, point.position)
                    }
                }
                ItemMenu {
                    id: menu
                    objectName: "menu"
                    QMMenuSeparator {}
                    QMMenuItem { text: "Remove from history"; symbol: "xmark" }
                }
            })qml"_s);
        QVERIFY(root);
        MediaItem film;
        film.kind = CatalogueKind::Movie;
        film.providerID = u"101"_s;
        film.title = u"Night Harbour (1979)"_s;
        film.rating = 81;
        root->setProperty("film", QVariant::fromValue(MediaItemValue(film)));
        QObject *menu = root->findChild<QObject *>(u"menu"_s);
        harness.click(QmlHarness::find(root, u"card"_s), QPointF(70, 60), Qt::RightButton);
        QTRY_VERIFY(menu->property("opened").toBool());
        QQuickItem *extra = QmlHarness::find(harness.window().contentItem(), u"favouriteEntry"_s);
        harness.hover(extra);
        QmlHarness::settle();
        GallerySheet sheet;
        sheet.addRow(u"A film's menu with one entry of the caller's, the pointer over the favourite entry"_s);
        sheet.add(QString(), harness.grab());
        QVERIFY(!sheet.save(u"itemmenu"_s).isEmpty());
        QVERIFY(QmlHarness::find(harness.window().contentItem(), u"detailsEntry"_s)->isVisible());
        QQuickItem *main = QmlHarness::find(harness.window().contentItem(), u"mainEntry"_s);
        QVERIFY_COLOUR(harness.pixel(main, QPointF(main->width() - 3, main->height() / 2)), Palette::surface3);
        QVERIFY_COLOUR(harness.pixel(extra, QPointF(extra->width() - 3, extra->height() / 2)),
                       blended(Palette::hover, Palette::surface3));
    }
};

QTEST_MAIN(CardsGalleryTest)
#include "tst_cardsgallery.moc"
