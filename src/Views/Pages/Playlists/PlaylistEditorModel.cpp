#include "PlaylistEditorModel.h"

#include "App/AppModel.h"
#include "Catalogue/CredentialStore.h"
#include "Provider/PlaybackURL.h"
#include "Provider/XtreamClient.h"
#include "Store/CatalogueStore.h"
#include "Support/Async.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

QString tooLong(const QString &what, qsizetype limit)
{
    return what + u" can be at most "_s + QString::number(limit) + u" characters long."_s;
}

QString serverProblem(const QString &typed)
{
    const QString trimmed = typed.trimmed();
    const QUrl url(trimmed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme != u"http"_s && scheme != u"https"_s)
        return u"The server address must start with http:// or https://."_s;
    if (url.authority(QUrl::FullyEncoded).contains(u'@'))
        return u"Leave the username and password out of the server address."_s;
    return u"Enter a valid server address."_s;
}

} // namespace

PlaylistEditorModel::PlaylistEditorModel(QObject *parent)
    : ViewModel(parent)
{
    for (const auto signal : {&PlaylistEditorModel::fieldsChanged, &PlaylistEditorModel::errorChanged})
        connect(this, signal, this, &PlaylistEditorModel::reasonChanged);
}

PlaylistEditorModel::~PlaylistEditorModel()
{
    m_save.cancel();
}

void PlaylistEditorModel::setPlaylistID(qint64 id)
{
    if (isStarted() || id == m_playlistID)
        return;
    m_playlistID = id;
    Q_EMIT modeChanged();
    Q_EMIT saveTitleChanged();
}

QString PlaylistEditorModel::title() const
{
    return isEditing() ? u"Edit login"_s : u"Add a playlist"_s;
}

QString PlaylistEditorModel::saveTitle() const
{
    if (m_saving)
        return u"Checking login\u2026"_s;
    return isEditing() ? u"Save"_s : u"Add playlist"_s;
}

std::optional<Playlist> PlaylistEditorModel::listed(const AppModel &app) const
{
    const QList<Playlist> &playlists = app.store()->playlists();
    const auto found = std::find_if(playlists.begin(), playlists.end(),
                                    [this](const Playlist &playlist) { return playlist.id == m_playlistID; });
    return found == playlists.end() ? std::nullopt : std::optional(*found);
}

void PlaylistEditorModel::start(AppModel &app)
{
    if (!isEditing())
        return;
    const std::optional<Playlist> found = listed(app);
    if (!found)
        return;
    m_fields.name = found->name;
    m_fields.server = found->serverURL.toString(QUrl::FullyEncoded);
    Q_EMIT fieldsChanged();
    loadLogin(found->credentialReference);
}

QCoro::Task<void> PlaylistEditorModel::loadLogin(QString reference)
{
    QPointer<PlaylistEditorModel> self(this);
    std::optional<XtreamCredentials> login;
    std::exception_ptr failure;
    try {
        login = co_await app()->store()->credentialStore().read(reference);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure) {
        // The user types the login again; until then the sheet says why it cannot save.
        m_unreadLogin = CatalogueStore::safeError(failure) + u" Enter the username and password again."_s;
        Q_EMIT reasonChanged();
        co_return;
    }
    // The read can arrive after the user has begun typing a login of their own: that wins.
    if (m_typed & (Field::Username | Field::Password))
        co_return;
    m_fields.username = login->username;
    m_fields.password = login->password;
    Q_EMIT fieldsChanged();
}

void PlaylistEditorModel::type(QString Fields::*value, Field field, const QString &text)
{
    m_typed |= field;
    if (m_fields.*value == text)
        return;
    m_fields.*value = text;
    // A failed save's sentence that rested on this field no longer holds.
    if (m_errorFields & field)
        setError(std::nullopt);
    Q_EMIT fieldsChanged();
}

void PlaylistEditorModel::setName(const QString &name)
{
    type(&Fields::name, Field::Name, name);
}

void PlaylistEditorModel::setServer(const QString &server)
{
    type(&Fields::server, Field::Server, server);
}

void PlaylistEditorModel::setUsername(const QString &username)
{
    type(&Fields::username, Field::Username, username);
}

void PlaylistEditorModel::setPassword(const QString &password)
{
    type(&Fields::password, Field::Password, password);
}

void PlaylistEditorModel::finishEntry(Field field)
{
    // Passing through a field without typing finishes nothing.
    if (!(m_typed & field) || (m_finished & field))
        return;
    m_finished |= field;
    Q_EMIT reasonChanged();
}

QString PlaylistEditorModel::reason() const
{
    if (QString rule = problem(); !rule.isEmpty())
        return rule;
    if (m_error)
        return *m_error;
    if (m_unreadLogin && !canSave())
        return *m_unreadLogin;
    return QString();
}

bool PlaylistEditorModel::canSave(const Fields &fields)
{
    return PlaybackURL::isValidServer(fields.server) && !fields.username.isEmpty() && !fields.password.isEmpty()
        && problem(fields, {}).isEmpty();
}

QString PlaylistEditorModel::problem(const Fields &fields, FieldSet finished)
{
    if (fields.name.size() > longestName)
        return tooLong(u"The name"_s, longestName);
    if (fields.server.size() > longestServer)
        return tooLong(u"The server address"_s, longestServer);
    if ((finished & Field::Server) && fields.server.trimmed().isEmpty())
        return u"Enter the server address."_s;
    if ((finished & Field::Server) && !PlaybackURL::isValidServer(fields.server))
        return serverProblem(fields.server);
    if (fields.username.size() > longestLogin)
        return tooLong(u"The username"_s, longestLogin);
    if ((finished & Field::Username) && fields.username.isEmpty())
        return u"Enter the username."_s;
    if (fields.password.size() > longestLogin)
        return tooLong(u"The password"_s, longestLogin);
    if ((finished & Field::Password) && fields.password.isEmpty())
        return u"Enter the password."_s;
    return QString();
}

QString PlaylistEditorModel::playlistName(const QString &typed, const QUrl &server)
{
    const QString trimmed = typed.trimmed();
    if (!trimmed.isEmpty())
        return trimmed;
    const QString host = server.host();
    return host.isEmpty() ? u"Playlist"_s : host;
}

void PlaylistEditorModel::save()
{
    if (!app() || m_saving || !canSave())
        return;
    setSaving(true);
    setError(std::nullopt);
    m_save = Job<void>::start([self = QPointer(this)](std::stop_token stop) -> QCoro::Task<void> {
        if (self)
            co_await self->runSave(stop);
    });
}

void PlaylistEditorModel::cancel()
{
    m_save.cancel();
    Q_EMIT finished();
}

QCoro::Task<void> PlaylistEditorModel::runSave(std::stop_token stop)
{
    QPointer<PlaylistEditorModel> self(this);
    const QUrl server(m_fields.server.trimmed(), QUrl::StrictMode);
    if (!server.isValid()) {
        setError(u"Enter a valid server address."_s, Field::Server);
        setSaving(false);
        co_return;
    }
    const QString name = playlistName(m_fields.name, server);
    // The login exactly as typed: providers tell spaces apart.
    const XtreamCredentials login{server, m_fields.username, m_fields.password};

    std::exception_ptr failure;
    try {
        const XtreamClient client(login);
        co_await Async::detached([client, stop] { client.verifyCredentials(stop); });
    } catch (...) {
        failure = std::current_exception();
    }
    // Cancelled: nothing has been stored, and nobody is waiting for a sentence.
    if (!self || stop.stop_requested())
        co_return;
    if (failure) {
        // The provider's answer is about this address and login.
        setError(CatalogueStore::safeError(failure), Field::Server | Field::Username | Field::Password);
        setSaving(false);
        co_return;
    }
    if (!isEditing()) {
        co_await addPlaylist(name, login, stop);
        co_return;
    }
    // The playlist as the store lists it now, not as it was when the sheet opened.
    const std::optional<Playlist> found = listed(*app());
    if (!found) {
        setError(u"This playlist has been removed."_s);
        setSaving(false);
        co_return;
    }
    co_await editPlaylist(*found, name, login);
}

QCoro::Task<void> PlaylistEditorModel::addPlaylist(QString name, XtreamCredentials login, std::stop_token stop)
{
    QPointer<PlaylistEditorModel> self(this);
    QPointer<AppModel> app(this->app());
    CredentialStore &credentials = app->store()->credentialStore();
    QString reference;
    try {
        reference = co_await credentials.save(login.serverURL, login.username, login.password);
    } catch (...) {
        if (self) {
            setError(CatalogueStore::safeError(std::current_exception()));
            setSaving(false);
        }
        co_return;
    }
    if (!app)
        co_return;
    CatalogueStore &store = *app->store();
    // Cancelled while the keyring saved: the new item must not outlive the sheet.
    if (!self || stop.stop_requested()) {
        try {
            co_await store.credentialStore().remove(reference);
        } catch (...) {
        }
        co_return;
    }
    const std::optional<Playlist> added = store.addPlaylist(name, login.serverURL, reference);
    if (!added) {
        try {
            co_await store.credentialStore().remove(reference);
        } catch (...) {
        }
        if (self) {
            setError(u"The playlist could not be saved. Please try again."_s);
            setSaving(false);
        }
        co_return;
    }
    store.selectPlaylist(added->id);
    app->toast(name + u" added \u2014 loading channels, films and series"_s, ToastKind::Success);
    setSaving(false);
    Q_EMIT finished();
}

QCoro::Task<void> PlaylistEditorModel::editPlaylist(Playlist existing, QString name, XtreamCredentials login)
{
    QPointer<PlaylistEditorModel> self(this);
    QPointer<AppModel> app(this->app());
    // From here the store carries the change through to its end, sheet or no sheet.
    std::exception_ptr failure;
    try {
        co_await app->store()->editPlaylist(existing, name, login.serverURL, login.username, login.password);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure && app)
        app->toast(u"Login updated"_s, ToastKind::Success);
    if (!self)
        co_return;
    if (failure)
        setError(CatalogueStore::safeError(failure));
    setSaving(false);
    if (!failure)
        Q_EMIT finished();
}

void PlaylistEditorModel::setSaving(bool saving)
{
    if (m_saving == saving)
        return;
    m_saving = saving;
    Q_EMIT savingChanged();
    Q_EMIT saveTitleChanged();
}

void PlaylistEditorModel::setError(const std::optional<QString> &error, FieldSet fields)
{
    m_errorFields = error ? fields : FieldSet();
    if (m_error == error)
        return;
    m_error = error;
    Q_EMIT errorChanged();
}
