#pragma once
// Who we are on the web: the product's identity and every address the
// program opens or asks. Kept in one place so that a change of host or
// product identifier is one edit.
#include <QString>
#include <QUrl>

namespace product {

QString company();      // "Zelvane"
QString version();      // shown to the user, "2.2.1"
QString buildVersion(); // sent to the update service, "2.2.1.43"
QString identifier();   // the product identifier of the maker's web service

// The maker's web service (scheme and host, no trailing "/").
QString serviceHost();
QUrl homePageUrl();
// The help page, through the service's redirect.
QUrl helpUrl();
// The update feed for this product and build.
QUrl appcastUrl();

} // namespace product
