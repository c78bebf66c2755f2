#include "VodPageModel.h"

#include "App/AppModel.h"
#include "App/BrowseModel.h"
#include "App/MediaItemValue.h"
#include "PosterGrid.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"
#include "Views/Kit/PickerRules.h"
#include "VodText.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

QVariantMap option(const QString &value, const QString &label)
{
    return {{u"value"_s, value}, {u"label"_s, label}};
}

} // namespace

VodPageModel::VodPageModel(QObject *parent)
    : PageModel(parent)
    , m_posterSize(Prefs::read(PrefKeys::posterSize))
{
}

VodPageModel::~VodPageModel() = default;

void VodPageModel::start(AppModel &)
{
    startWhenReady();
}

void VodPageModel::setBrowse(BrowseModel *browse)
{
    if (m_browse || !browse)
        return;
    m_browse = browse;
    Q_EMIT browseChanged();
    startWhenReady();
}

void VodPageModel::startWhenReady()
{
    if (!isStarted() || !m_browse)
        return;
    BrowseModel *browse = m_browse;
    connect(browse, &BrowseModel::dataKeyChanged, this, &VodPageModel::refreshIfNeeded);
    for (const auto signal : {&BrowseModel::scopeChanged, &BrowseModel::categoriesChanged})
        connect(browse, signal, this, &VodPageModel::titleChanged);
    for (const auto signal : {&BrowseModel::loadingChanged, &BrowseModel::totalChanged, &BrowseModel::errorChanged,
                              &BrowseModel::scopeChanged, &BrowseModel::queryChanged})
        connect(browse, signal, this, &VodPageModel::listChanged);
    MediaItemListModel *items = browse->itemModel();
    connect(items, &QAbstractItemModel::modelReset, this, &VodPageModel::listChanged);
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(items, signal, this, &VodPageModel::listChanged);
    connect(browse, &BrowseModel::sortChanged, this, &VodPageModel::sortChanged);
    Q_EMIT titleChanged();
    Q_EMIT listChanged();
    Q_EMIT sortChanged();
    refreshIfNeeded();
}

void VodPageModel::refreshIfNeeded()
{
    m_refresh.run(m_browse->dataKey(), this,
                  [](VodPageModel &self, std::stop_token) { return refresh(QPointer(&self)); });
}

QCoro::Task<void> VodPageModel::refresh(QPointer<VodPageModel> self)
{
    // The browse model drops what a superseded refresh would bring; this page only waits.
    co_await self->m_browse->refreshIfNeeded();
    if (self)
        self->setReady();
}

QString VodPageModel::title() const
{
    return m_browse ? m_browse->categoryName(m_browse->scope()) : QString();
}

QString VodPageModel::countLine() const
{
    if (!m_browse)
        return QString();
    return VodText::countLine(m_browse->kind(), m_browse->total(), m_browse->isLoading(),
                              !m_browse->items().isEmpty());
}

QString VodPageModel::searchPrompt() const
{
    return m_browse ? u"Search "_s + kindTitle(m_browse->kind()).toLower() : QString();
}

QString VodPageModel::body() const
{
    if (!m_browse)
        return u"grid"_s;
    if (m_browse->error())
        return u"error"_s;
    if (m_browse->items().isEmpty() && !m_browse->isLoading())
        return u"empty"_s;
    return u"grid"_s;
}

namespace {

VodText::Panel panelOf(const BrowseModel *browse)
{
    if (!browse)
        return {};
    if (browse->error())
        return VodText::errorPanel(browse->kind(), *browse->error());
    return VodText::emptyPanel(browse->scope(), browse->query());
}

} // namespace

QString VodPageModel::panelIcon() const
{
    return panelOf(m_browse).icon;
}

QString VodPageModel::panelTitle() const
{
    return panelOf(m_browse).title;
}

QString VodPageModel::panelMessage() const
{
    return panelOf(m_browse).message;
}

bool VodPageModel::pagingSpinner() const
{
    return m_browse && m_browse->isLoading() && !m_browse->items().isEmpty();
}

QString VodPageModel::sortLabel() const
{
    return PickerRules::label(sortOptions(), m_browse ? m_browse->sortName() : QString());
}

QVariantList VodPageModel::sortOptions()
{
    return {option(u"provider"_s, u"Default"_s), option(u"title"_s, u"A\u2013Z"_s),
            option(u"added"_s, u"Recently added"_s), option(u"rating"_s, u"Top rated"_s)};
}

QVariantList VodPageModel::posterSizes()
{
    return {option(u"small"_s, u"Small"_s), option(u"medium"_s, u"Medium"_s), option(u"large"_s, u"Large"_s)};
}

void VodPageModel::setPosterSize(const QString &size)
{
    if (size == m_posterSize)
        return;
    m_posterSize = size;
    UserSettings::setValue(PrefKeys::posterSize.key.toString(), size);
    Q_EMIT layoutChanged();
}

void VodPageModel::setAvailableWidth(double width)
{
    if (width == m_availableWidth)
        return;
    m_availableWidth = width;
    Q_EMIT layoutChanged();
}

int VodPageModel::columnCount() const
{
    return PosterGrid::columns(m_availableWidth, PosterGrid::posterWidth(m_posterSize)).count;
}

int VodPageModel::cardWidth() const
{
    return PosterGrid::columns(m_availableWidth, PosterGrid::posterWidth(m_posterSize)).cardWidth;
}

void VodPageModel::openDetail(int row)
{
    if (m_browse && row >= 0 && row < m_browse->items().size())
        app()->setDetail(m_browse->items().at(row));
}

void VodPageModel::posterShown(int row)
{
    if (m_browse && row >= 0 && row < m_browse->items().size())
        m_browse->loadMoreIfNeeded(m_browse->items().at(row));
}

void VodPageModel::gridMoved(int lastInView, bool atEnd)
{
    if (lastInView >= 0)
        posterShown(lastInView);
    else if (atEnd && m_browse)
        posterShown(int(m_browse->items().size()) - 1);
}

void VodPageModel::favouriteChanged(const QVariant &item, bool saved)
{
    if (m_browse && item.canConvert<MediaItemValue>())
        m_browse->updateFavourite(item.value<MediaItemValue>().item(), saved);
}
