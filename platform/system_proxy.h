#pragma once
// The proxy that the system proposes when the user has set none.

#include <QtCore/QString>
#include <optional>

namespace poremi {

struct ProxyEndpoint {
    QString host;
    int port = 80;
    bool operator==(const ProxyEndpoint&) const = default;
};

// A Windows-style proxy setting: "h:p", "http=h:p", or per scheme "http=h:p;https=h2:p2".
// The first entry is taken: the text after its first "=", cut at the first blank, split at ":";
// the port is 80 when absent or not a number.
std::optional<ProxyEndpoint> parseProxySettingText(const QString& text);

// The proposal on this system: the http_proxy (or HTTP_PROXY) environment value, a URL.
std::optional<ProxyEndpoint> systemProxy();

}  // namespace poremi
