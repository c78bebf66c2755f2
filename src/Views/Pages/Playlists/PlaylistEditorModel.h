#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/Job.h"
#include "Views/Kit/ViewModel.h"

#include <QCoroTask>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <stop_token>

// The playlist editor sheet's state and its save: it adds a provider login as a new playlist or
// changes the login of an existing one. The login is checked with the provider before anything
// is stored, kept only in the keyring, and the sheet is told to close when the save has ended
// well. Cancel (or closing the sheet) stops a save that has not yet stored anything; a save that
// has reached the store runs on to its end and reports itself.
class PlaylistEditorModel : public ViewModel
{
    Q_OBJECT
    // The playlist whose login is edited; 0 (the default) adds a new playlist. Fixed once the
    // editor has started. As QML holds it: a number, which keeps any id exactly.
    Q_PROPERTY(double playlistID READ playlistNumber WRITE setPlaylistNumber NOTIFY modeChanged)
    Q_PROPERTY(bool editing READ isEditing NOTIFY modeChanged)
    Q_PROPERTY(QString title READ title NOTIFY modeChanged)
    // The save button's title, which says so while the login is being checked.
    Q_PROPERTY(QString saveTitle READ saveTitle NOTIFY saveTitleChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY fieldsChanged)
    Q_PROPERTY(QString server READ server WRITE setServer NOTIFY fieldsChanged)
    Q_PROPERTY(QString username READ username WRITE setUsername NOTIFY fieldsChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY fieldsChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY fieldsChanged)
    Q_PROPERTY(bool saving READ isSaving NOTIFY savingChanged)
    // The sentence under the fields: why the form cannot be saved now, else why the last save
    // failed, else why the edited playlist's login is missing; empty when there is nothing to say.
    Q_PROPERTY(QString reason READ reason NOTIFY reasonChanged)
    QML_ELEMENT

public:
    // What the user has typed.
    struct Fields
    {
        QString name;
        QString server;
        QString username;
        QString password;
    };

    enum class Field { Name = 0x1, Server = 0x2, Username = 0x4, Password = 0x8 };
    Q_ENUM(Field)
    Q_DECLARE_FLAGS(FieldSet, Field)

    // Longest values accepted; anything longer is a paste gone wrong rather than a login.
    static constexpr qsizetype longestName = 200;
    static constexpr qsizetype longestServer = 2000;
    static constexpr qsizetype longestLogin = 500;

    explicit PlaylistEditorModel(QObject *parent = nullptr);
    ~PlaylistEditorModel() override;

    void setPlaylistID(qint64 id);
    [[nodiscard]] double playlistNumber() const { return double(m_playlistID); }
    void setPlaylistNumber(double id) { setPlaylistID(qint64(id)); }
    [[nodiscard]] bool isEditing() const { return m_playlistID != 0; }
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString saveTitle() const;

    [[nodiscard]] const QString &name() const { return m_fields.name; }
    [[nodiscard]] const QString &server() const { return m_fields.server; }
    [[nodiscard]] const QString &username() const { return m_fields.username; }
    [[nodiscard]] const QString &password() const { return m_fields.password; }
    // The setters are the user's typing.
    void setName(const QString &name);
    void setServer(const QString &server);
    void setUsername(const QString &username);
    void setPassword(const QString &password);

    [[nodiscard]] bool canSave() const { return canSave(m_fields); }
    [[nodiscard]] QString problem() const { return problem(m_fields, m_finished); }
    [[nodiscard]] bool isSaving() const { return m_saving; }
    [[nodiscard]] QString error() const { return m_error.value_or(QString()); }
    [[nodiscard]] QString reason() const;

    // The user has finished an entry: left the field, or pressed Return in it, after typing.
    Q_INVOKABLE void finishEntry(Field field);

    // Checks the login with the provider and stores it; ignored while the form cannot be saved
    // or a save runs.
    Q_INVOKABLE void save();
    // Stops a save that has not reached the store yet, and asks the sheet to close.
    Q_INVOKABLE void cancel();

    // A server address with http or https, a host and no login in it, a username and a password
    // (both as typed, spaces included), none of them too long.
    [[nodiscard]] static bool canSave(const Fields &fields);
    // Why the form cannot be saved, as far as the entries say so: a value too long for its field
    // at once, anything else only once the entry is finished (an address half typed is not
    // wrong yet); empty when nothing is wrong.
    [[nodiscard]] static QString problem(const Fields &fields, FieldSet finished);
    // The name as typed, trimmed; else the server's host; else "Playlist".
    [[nodiscard]] static QString playlistName(const QString &typed, const QUrl &server);

Q_SIGNALS:
    void modeChanged();
    void fieldsChanged();
    void savingChanged();
    void saveTitleChanged();
    void errorChanged();
    void reasonChanged();
    // The sheet should close: the save has ended well, or the user cancelled.
    void finished();

protected:
    void start(AppModel &app) override;

private:
    // The edited playlist as the store lists it now.
    [[nodiscard]] std::optional<Playlist> listed(const AppModel &app) const;
    QCoro::Task<void> loadLogin(QString reference);
    QCoro::Task<void> runSave(std::stop_token stop);
    QCoro::Task<void> addPlaylist(QString name, XtreamCredentials login, std::stop_token stop);
    QCoro::Task<void> editPlaylist(Playlist existing, QString name, XtreamCredentials login);
    void setSaving(bool saving);
    // A failed save's sentence, and the fields whose change makes it void.
    void setError(const std::optional<QString> &error, FieldSet fields = {});
    void type(QString Fields::*value, Field field, const QString &text);

    qint64 m_playlistID = 0;
    Fields m_fields;
    FieldSet m_typed;
    FieldSet m_finished;
    bool m_saving = false;
    std::optional<QString> m_error;
    FieldSet m_errorFields;
    // Why the stored login of the edited playlist is not in the fields, when it could not be read.
    std::optional<QString> m_unreadLogin;
    Job<void> m_save;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PlaylistEditorModel::FieldSet)
