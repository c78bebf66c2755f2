#include "Logging.h"

Q_LOGGING_CATEGORY(lcXtream, "com.zel.quillmere.macos.xtream")
Q_LOGGING_CATEGORY(lcCatalogue, "com.zel.quillmere.macos.catalogue")
Q_LOGGING_CATEGORY(lcCredentials, "com.zel.quillmere.macos.credentials")
Q_LOGGING_CATEGORY(lcGuideImport, "com.zel.quillmere.macos.guide-import")
Q_LOGGING_CATEGORY(lcPlayback, "com.zel.quillmere.macos.playback")
Q_LOGGING_CATEGORY(lcShell, "com.zel.quillmere.macos.shell")

namespace Logging {

QString redacted(const QString &privateValue)
{
    Q_UNUSED(privateValue)
    return QStringLiteral("<private>");
}

} // namespace Logging
