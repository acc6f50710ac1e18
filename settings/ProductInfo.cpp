#include "ProductInfo.h"

namespace product {

QString company() { return QStringLiteral("Zelvane"); }
QString version() { return QStringLiteral(SNIPWELL_VERSION); }
QString buildVersion() { return QStringLiteral(SNIPWELL_BUILD_VERSION); }
QString identifier() { return QStringLiteral("81"); }
QString serviceHost() { return QStringLiteral("https://www.zelvane.com"); }

QUrl homePageUrl()
{
    return QUrl(serviceHost() + QStringLiteral("/"));
}

QUrl helpUrl()
{
    return QUrl(serviceHost() + QStringLiteral("/api/product/redirect?pid=%1&page_type=%2").arg(identifier(), QStringLiteral("help")));
}

QUrl appcastUrl()
{
    return QUrl(serviceHost() + QStringLiteral("/api/product/version?pid=%1&ver=%2").arg(identifier(), buildVersion()));
}

} // namespace product
