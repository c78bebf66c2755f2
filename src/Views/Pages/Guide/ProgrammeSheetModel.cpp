#include "ProgrammeSheetModel.h"

#include "App/AppModel.h"
#include "App/GuideState.h"
#include "GuidePageModel.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/ProgrammeTime.h"
#include "Support/TimeText.h"
#include "Support/TitleText.h"

using namespace Qt::StringLiterals;

void ProgrammeSheetModel::setPage(GuidePageModel *page)
{
    if (m_page || !page)
        return;
    m_page = page;
    m_selection = page->selection();
    Q_EMIT pageChanged();
}

QString ProgrammeSheetModel::channelTitle() const
{
    return m_selection ? TitleText::isolated(m_selection->channel.title) : QString();
}

QString ProgrammeSheetModel::channelName() const
{
    return m_selection ? m_selection->channel.title : QString();
}

QUrl ProgrammeSheetModel::channelArtwork() const
{
    return m_selection ? m_selection->channel.artworkURL.value_or(QUrl()) : QUrl();
}

QString ProgrammeSheetModel::title() const
{
    return m_selection ? TitleText::isolated(m_selection->programme.title) : QString();
}

QString ProgrammeSheetModel::timeLine() const
{
    return m_selection ? timeLine(m_selection->programme, now()) : QString();
}

bool ProgrammeSheetModel::isLive() const
{
    return m_selection && ProgrammeTime::isOnAir(m_selection->programme.start, m_selection->programme.end, now());
}

double ProgrammeSheetModel::progress() const
{
    return m_selection ? ProgrammeTime::progress(m_selection->programme.start, m_selection->programme.end, now()) : 0;
}

QString ProgrammeSheetModel::description() const
{
    return m_selection ? description(m_selection->programme) : QString();
}

QString ProgrammeSheetModel::watchTitle() const
{
    return isLive() ? u"Watch now"_s : u"Watch channel"_s;
}

QString ProgrammeSheetModel::timeLine(const GuideProgramme &programme, const QDateTime &now)
{
    const QString separator = u" \u00B7 "_s;
    return TimeText::day(programme.start, now) + separator + TimeText::range(programme.start, programme.end)
        + separator + TimeText::duration(double(programme.start.msecsTo(programme.end)) / 1000.0);
}

QString ProgrammeSheetModel::description(const GuideProgramme &programme)
{
    if (!programme.description || programme.description->isEmpty())
        return u"No description from your provider."_s;
    return *programme.description;
}

void ProgrammeSheetModel::close()
{
    if (m_page)
        m_page->closeSheet();
}

void ProgrammeSheetModel::watch()
{
    if (!m_page || !m_selection)
        return;
    const GuideSelection selection = *m_selection;
    AppModel *app = m_page->app();
    const QList<MediaItem> channels = m_page->state()->channels();
    m_page->closeSheet();
    app->play(selection.channel, channels, true);
}

QDateTime ProgrammeSheetModel::now() const
{
    return m_page && m_page->app() ? m_page->app()->store()->clock().now() : QDateTime::currentDateTime();
}
