#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QObject;

// Shows a file to the user in the desktop's file manager.
namespace FileManager {

using FolderOpener = std::function<void(const QUrl &folder)>;

// Asks the file manager over the session bus (org.freedesktop.FileManager1.ShowItems) to open
// the file's folder with the file selected. Where no file manager answers, `openFolder` opens
// the folder itself (by default in the desktop's handler for folders). Returns at once; the
// answer is handled on `context`'s thread while `context` lives.
void showItem(const QString &path, QObject *context, FolderOpener openFolder = {});

} // namespace FileManager
