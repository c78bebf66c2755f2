#include "App/AppModel.h"
#include "support/LibraryRig.h"
#include "support/QmlHarness.h"

#include <QDesktopServices>
#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// Takes the addresses the pages hand to the desktop's browser, so that no browser starts.
class BrowserStandIn final : public QObject
{
    Q_OBJECT

public:
    BrowserStandIn()
    {
        for (const QString &scheme : {u"http"_s, u"https"_s, u"file"_s})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~BrowserStandIn() override
    {
        for (const QString &scheme : {u"http"_s, u"https"_s, u"file"_s})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QStringList opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(QString::fromLatin1(url.toEncoded())); }
};

QQuickItem *child(QQuickItem *root, const QString &name)
{
    QQuickItem *item = QmlHarness::find(root, name);
    if (!item)
        qWarning().noquote() << "no item named" << name;
    return item;
}

} // namespace

// The library pages offscreen over a real store and catalogue, driven with real clicks and keys.
class LibraryPageViewsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theLauncherOpensTheSiteInTheBrowser()
    {
        LibraryRig rig({2, 2, 1});
        BrowserStandIn browser;
        QmlHarness harness({1100, 700});
        QQuickItem *page = harness.createFromQml(u"VideoSitePage { width: 1050; height: 650 }"_s);
        QVERIFY(page);
        QQuickItem *field = child(page, u"searchText"_s);
        QQuickItem *search = child(page, u"searchButton"_s);

        // Spaces only: the button stays off and Return does nothing.
        harness.click(field);
        harness.type(u"   "_s);
        QVERIFY(!search->isEnabled());
        harness.key(Qt::Key_Return);
        QVERIFY(browser.opened.isEmpty());

        harness.type(u"c++ & more "_s);
        QVERIFY(search->isEnabled());
        harness.key(Qt::Key_Return);
        harness.click(search);
        const QString results = u"https://www.youtube.com/results?search_query=c%2B%2B%20%26%20more"_s;
        QCOMPARE(browser.opened, (QStringList{results, results}));
        // The field keeps its text after a search.
        QCOMPARE(field->property("text").toString(), u"   c++ & more "_s);

        harness.click(child(page, u"shortcut:Watch later"_s));
        harness.click(child(page, u"shortcut:Home"_s));
        QCOMPARE(browser.opened.mid(2), (QStringList{u"https://www.youtube.com/playlist?list=WL"_s,
                                                      u"https://www.youtube.com"_s}));
    }
};

QTEST_MAIN(LibraryPageViewsTest)
#include "tst_librarypageviews.moc"
