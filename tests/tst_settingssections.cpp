#include "support/QmlHarness.h"

#include "Support/UserSettings.h"

#include <QCoreApplication>
#include <QQuickItem>
#include <QStandardPaths>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// The row whose title reads `title`.
QQuickItem *row(QQuickItem *root, const QString &title)
{
    const QList<QQuickItem *> children = root->childItems();
    for (QQuickItem *child : children) {
        if (child->property("title").toString() == title && child->property("key").isValid())
            return child;
        if (QQuickItem *found = row(child, title))
            return found;
    }
    return nullptr;
}

// Opens the picker's menu with a click and clicks the option of `value`; false when the menu
// did not show it.
bool pick(QmlHarness &harness, QQuickItem *picker, const QVariant &value)
{
    // A drawn frame puts the picker (whose width follows its label) and then the menu's items
    // in their final places.
    (void)harness.grab();
    harness.click(picker);
    const QString name = u"option-"_s + value.toString();
    QQuickItem *option = nullptr;
    if (!QTest::qWaitFor([&] { return (option = QmlHarness::find(harness.window().contentItem(), name)) && option->isVisible(); }))
        return false;
    (void)harness.grab();
    harness.click(option);
    // Until its closing has ended, the menu takes the next click for itself.
    const QObject *menu = picker->findChild<QObject *>(u"pickerMenu"_s);
    return menu && QTest::qWaitFor([&] { return !menu->property("visible").toBool(); });
}

} // namespace

// The settings sections loaded offscreen: every control is clicked or keyed as a user would and
// writes its setting, and every control follows a setting written elsewhere.
class SettingsSectionsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QStandardPaths::setTestModeEnabled(true);
        UserSettings::open()->clear();
    }

    void aSwitchWritesItsSettingAndFollowsIt()
    {
        QmlHarness harness({900, 600});
        QQuickItem *section = harness.createFromQml(u"GeneralSettings { width: 780 }"_s);
        QVERIFY(section);
        QQuickItem *toggle = QmlHarness::find(row(section, u"24-hour clock"_s), u"toggle"_s);
        QVERIFY(toggle->property("checked").toBool());

        harness.click(toggle);
        QCOMPARE(UserSettings::value(u"quillmere.use24HourClock"_s), QVariant(false));
        QVERIFY(!toggle->property("checked").toBool());

        // Space on the focused switch turns it back on.
        toggle->forceActiveFocus();
        harness.key(Qt::Key_Space);
        QCOMPARE(UserSettings::value(u"quillmere.use24HourClock"_s), QVariant(true));

        UserSettings::setValue(u"quillmere.reduceMotion"_s, true);
        QVERIFY(QmlHarness::find(row(section, u"Reduce motion"_s), u"toggle"_s)->property("checked").toBool());
    }

    void aMenuWritesTheChosenValueWithItsType()
    {
        QmlHarness harness({900, 700});
        QQuickItem *section = harness.createFromQml(u"PlaybackSettings { width: 780 }"_s);
        QVERIFY(section);
        QQuickItem *picker = QmlHarness::find(row(section, u"Network buffer"_s), u"picker"_s);
        QCOMPARE(picker->property("selectionLabel").toString(), u"Normal (1.5 s)"_s);

        QVERIFY(pick(harness, picker, 3000));
        QCOMPARE(UserSettings::value(u"quillmere.networkCachingMs"_s).typeId(), QMetaType::Int);
        QCOMPARE(UserSettings::value(u"quillmere.networkCachingMs"_s), QVariant(3000));
        QCOMPARE(picker->property("selectionLabel").toString(), u"High (3 s)"_s);

        // A stored value that no option has shows an empty face; choosing stores the choice.
        UserSettings::setValue(u"quillmere.seekStepSeconds"_s, 20);
        QQuickItem *step = QmlHarness::find(row(section, u"Skip step"_s), u"picker"_s);
        QCOMPARE(step->property("selectionLabel").toString(), QString());
        QVERIFY(pick(harness, step, 60));
        QCOMPARE(UserSettings::value(u"quillmere.seekStepSeconds"_s), QVariant(60));
    }

    // The version the update check reports, not one of the section's own.
    void theAboutSectionSaysTheRunningVersion()
    {
        const QString version = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion(u"2.3.1"_s);
        QmlHarness harness({900, 600});
        QQuickItem *section = harness.createFromQml(u"AboutSettings { width: 780 }"_s);
        QCoreApplication::setApplicationVersion(version);
        QVERIFY(section);
        QCOMPARE(QmlHarness::find(section, u"version"_s)->property("text").toString(), u"Version 2.3.1"_s);
    }

    void theLastRowOfAGroupHasNoDivider()
    {
        QmlHarness harness({900, 600});
        QQuickItem *section = harness.createFromQml(u"LiveSettings { width: 780 }"_s);
        QVERIFY(section);
        QVERIFY(QmlHarness::find(row(section, u"Show channel numbers"_s), u"divider"_s)->isVisible());
        QVERIFY(!QmlHarness::find(row(section, u"Group categories by language"_s), u"divider"_s)->isVisible());
        QQuickItem *divider = QmlHarness::find(row(section, u"Remember last channel"_s), u"divider"_s);
        QCOMPARE(divider->x(), 18.0);
    }
};

QTEST_MAIN(SettingsSectionsTest)
#include "tst_settingssections.moc"
