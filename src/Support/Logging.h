#pragma once

#include <QLoggingCategory>
#include <QString>

// One category per component, under the program's log subsystem.
Q_DECLARE_LOGGING_CATEGORY(lcXtream)
Q_DECLARE_LOGGING_CATEGORY(lcCatalogue)
Q_DECLARE_LOGGING_CATEGORY(lcCredentials)
Q_DECLARE_LOGGING_CATEGORY(lcGuideImport)
Q_DECLARE_LOGGING_CATEGORY(lcPlayback)
Q_DECLARE_LOGGING_CATEGORY(lcShell)

namespace Logging {

// Private values (playlist names, credential references, addresses that carry a login) never
// reach a log line; they are written through this, which keeps only the fact that one was there.
[[nodiscard]] QString redacted(const QString &privateValue);

} // namespace Logging
