#include "platform/settings_store.h"
#include "platform/system_proxy.h"
#include "tests/support/test_environment.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(SettingsStore, KeyPathsBecomeGroupsAndValuesKeepTheirKind) {
    const QString file = test::freshFolder(QStringLiteral("store")) + QStringLiteral("/s.ini");
    {
        SettingsStore store(file);
        EXPECT_FALSE(store.keyExists(QStringLiteral("Software\\A")));
        EXPECT_FALSE(store.value(QStringLiteral("Software\\A"), QStringLiteral("x")));
        store.setValue(QStringLiteral("Software\\A"), QStringLiteral("Int"), 42);
        store.setValue(QStringLiteral("Software\\A\\Sub"), QStringLiteral("Text"), QStringLiteral("日本語"));
        store.setValue(QStringLiteral("Software\\A"), QStringLiteral("Bytes"), QByteArray("\x01\xff\x7f=;\"", 6));
        store.sync();
    }
    SettingsStore store(file);
    EXPECT_TRUE(store.keyExists(QStringLiteral("Software\\A")));
    EXPECT_EQ(store.value(QStringLiteral("Software\\A"), QStringLiteral("Int"))->toInt(), 42);
    EXPECT_EQ(store.value(QStringLiteral("Software\\A\\Sub"), QStringLiteral("Text"))->toString(), QStringLiteral("日本語"));
    EXPECT_EQ(store.value(QStringLiteral("Software\\A"), QStringLiteral("Bytes"))->toByteArray(), QByteArray("\x01\xff\x7f=;\"", 6));
    EXPECT_EQ(store.valueNames(QStringLiteral("Software\\A")), (QStringList{QStringLiteral("Bytes"), QStringLiteral("Int")}));
    EXPECT_EQ(store.subKeys(QStringLiteral("Software\\A")), QStringList{QStringLiteral("Sub")});
    store.removeKey(QStringLiteral("Software\\A\\Sub"));
    EXPECT_FALSE(store.keyExists(QStringLiteral("Software\\A\\Sub")));
    EXPECT_TRUE(store.keyExists(QStringLiteral("Software\\A")));
}

TEST(SettingsStore, TestsNeverUseTheUsersFile) {
    EXPECT_TRUE(SettingsStore::instance().filePath().startsWith(test::privateRoot()));
}

TEST(SystemProxy, TakesTheFirstEntryOfAProxySettingText) {
    const struct { const char* text; const char* host; int port; } cases[] = {
        {"proxy.example:8080", "proxy.example", 8080},
        {"http=h1:3128;https=h2:443", "h1", 3128},
        {"http=h1;https=h2:443", "h1", 80},
        {"http=h1:abc", "h1", 80},
        {"http=h1:81 extra", "h1", 81},
    };
    for (const auto& c : cases) {
        const auto endpoint = parseProxySettingText(QString::fromLatin1(c.text));
        ASSERT_TRUE(endpoint) << c.text;
        EXPECT_EQ(*endpoint, (ProxyEndpoint{QString::fromLatin1(c.host), c.port})) << c.text;
    }
    EXPECT_FALSE(parseProxySettingText(QString()));
}

TEST(SystemProxy, ReadsTheEnvironmentUrl) {
    qputenv("http_proxy", "http://user:pw@cache.local:3128/");
    EXPECT_EQ(systemProxy(), (ProxyEndpoint{QStringLiteral("cache.local"), 3128}));
    qputenv("http_proxy", "cache.local");
    EXPECT_EQ(systemProxy(), (ProxyEndpoint{QStringLiteral("cache.local"), 80}));
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    EXPECT_FALSE(systemProxy());
}

}  // namespace
}  // namespace poremi
