#include "SettingsPageModel.h"

#include "App/AppModel.h"

#include <QVariantMap>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Section
{
    QString title;
    QString symbol;
};

const std::array<Section, 7> sectionList{{
    {u"General"_s, u"gearshape"_s},
    {u"Playback"_s, u"play.rectangle"_s},
    {u"Live TV"_s, u"tv"_s},
    {u"Categories"_s, u"line.3.horizontal.decrease"_s},
    {u"Updates"_s, u"arrow.triangle.2.circlepath"_s},
    {u"Privacy & data"_s, u"lock"_s},
    {u"About"_s, u"info.circle"_s},
}};

} // namespace

void SettingsPageModel::start(AppModel &app)
{
    // A view asks for a section right after it switched to this page, which is by then already
    // built: the request is taken when the page starts and whenever it comes later.
    connect(&app, &AppModel::requestedSettingsSectionChanged, this, &SettingsPageModel::takeRequestedSection);
    takeRequestedSection();
    setReady();
}

void SettingsPageModel::takeRequestedSection()
{
    const QString requested = app()->requestedSettingsSection();
    if (requested.isEmpty())
        return;
    app()->setRequestedSettingsSection(QString());
    setSection(requested);
}

QVariantList SettingsPageModel::sections()
{
    QVariantList list;
    for (const Section &section : sectionList)
        list.append(QVariantMap{{u"title"_s, section.title}, {u"symbol"_s, section.symbol}});
    return list;
}

void SettingsPageModel::setSection(const QString &section)
{
    const bool known = std::any_of(sectionList.begin(), sectionList.end(),
                                   [&section](const Section &each) { return each.title == section; });
    if (!known || section == m_section)
        return;
    m_section = section;
    Q_EMIT sectionChanged();
}
