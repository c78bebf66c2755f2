#include "AboutSettingsModel.h"

#include "App/ServiceConfig.h"

using namespace Qt::StringLiterals;

QString AboutSettingsModel::versionTitle()
{
    return u"Version "_s + ServiceConfig::appVersion();
}
