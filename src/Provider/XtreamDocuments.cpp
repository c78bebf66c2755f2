#include "XtreamDocuments.h"

#include "XtreamAPIError.h"
#include "XtreamValueReader.h"

using namespace Qt::StringLiterals;

namespace XtreamDocuments {

void checkAccountReply(QByteArrayView body)
{
    simdjson::dom::parser parser;
    simdjson::dom::object root;
    if (XtreamValueReader::parse(parser, body).get_object().get(root))
        throw XtreamAPIError::invalidResponse();

    simdjson::dom::object userInfo;
    const bool hasUserInfo = !root.at_key("user_info").get_object().get(userInfo);
    const std::optional<QString> auth = hasUserInfo ? XtreamValueReader::string(userInfo, {"auth"}) : std::nullopt;
    if (!auth || (*auth != "1"_L1 && auth->compare("true"_L1, Qt::CaseInsensitive) != 0))
        throw XtreamAPIError::providerMessage(u"The provider did not accept these credentials."_s);

    const std::optional<QString> status = XtreamValueReader::string(userInfo, {"status"});
    if (status && status->toLower() != "active"_L1)
        throw XtreamAPIError::providerMessage(
            u"This provider account is not active. Check the subscription with your provider."_s);

    if (XtreamValueReader::string(root, {"error", "message"}))
        throw XtreamAPIError::providerMessage(
            u"The provider returned an account error. Check your subscription or connection details."_s);
}

} // namespace XtreamDocuments
