#pragma once

#include "Views/Kit/ViewModel.h"

#include <QCoroTask>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

class ArtworkMemory;

Q_MOC_INCLUDE("Artwork/ArtworkMemory.h")

// The "Privacy & data" section: clearing the active playlist's watch history or favourites
// behind a confirmation, clearing the artwork caches, and the data folder with its way into the
// file manager.
class DataSettingsModel : public ViewModel
{
    Q_OBJECT
    // The confirmation waiting for an answer: "history", "favourites", or empty for none.
    Q_PROPERTY(QString confirm READ confirm NOTIFY confirmChanged)
    Q_PROPERTY(QString confirmTitle READ confirmTitle NOTIFY confirmChanged)
    Q_PROPERTY(QString dataFolder READ dataFolder NOTIFY appChanged)
    // The artwork caches that "Clear" empties.
    Q_PROPERTY(ArtworkMemory *artwork READ artwork WRITE setArtwork NOTIFY artworkChanged REQUIRED)
    QML_ELEMENT

public:
    using ViewModel::ViewModel;

    [[nodiscard]] ArtworkMemory *artwork() const { return m_artwork; }
    void setArtwork(ArtworkMemory *artwork);
    [[nodiscard]] const QString &confirm() const { return m_confirm; }
    [[nodiscard]] QString confirmTitle() const;
    // The folder that holds the catalogue database.
    [[nodiscard]] QString dataFolder() const;

    // Asks to confirm clearing "history" or "favourites".
    Q_INVOKABLE void askToClear(const QString &what);
    // The confirmation went away without "Clear".
    Q_INVOKABLE void dismiss();
    // "Clear" in the confirmation: clears what it asked about, then says so.
    Q_INVOKABLE void clearConfirmed();
    // Empties the artwork caches on disk and in memory, then says so.
    Q_INVOKABLE void clearArtwork();
    Q_INVOKABLE void showDataFolder();

Q_SIGNALS:
    void artworkChanged();
    void confirmChanged();

private:
    static QCoro::Task<void> clear(QPointer<AppModel> app, QString what);
    static QCoro::Task<void> clearArtwork(QPointer<AppModel> app, QPointer<ArtworkMemory> artwork);
    void setConfirm(const QString &confirm);

    QPointer<ArtworkMemory> m_artwork;
    QString m_confirm;
};
