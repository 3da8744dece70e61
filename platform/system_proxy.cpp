#include "platform/system_proxy.h"

#include <QtCore/QUrl>

namespace poremi {

std::optional<ProxyEndpoint> parseProxySettingText(const QString& text) {
    QString entry = text.section(QLatin1Char(';'), 0, 0);
    const qsizetype equals = entry.indexOf(QLatin1Char('='));
    if (equals >= 0) entry = entry.mid(equals + 1);
    entry = entry.trimmed().section(QLatin1Char(' '), 0, 0);
    if (entry.isEmpty()) return std::nullopt;
    ProxyEndpoint endpoint;
    endpoint.host = entry.section(QLatin1Char(':'), 0, 0);
    bool ok = false;
    const int port = entry.section(QLatin1Char(':'), 1, 1).toInt(&ok);
    endpoint.port = ok && port > 0 ? port : 80;
    if (endpoint.host.isEmpty()) return std::nullopt;
    return endpoint;
}

std::optional<ProxyEndpoint> systemProxy() {
    QString value = qEnvironmentVariable("http_proxy");
    if (value.isEmpty()) value = qEnvironmentVariable("HTTP_PROXY");
    if (value.isEmpty()) return std::nullopt;
    if (!value.contains(QStringLiteral("://"))) value.prepend(QStringLiteral("http://"));
    const QUrl url(value);
    if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
    return ProxyEndpoint{url.host(), url.port(80)};
}

}  // namespace poremi
