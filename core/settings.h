#pragma once
// The values kept directly in the settings key, each with its name and default, read and
// written through the frame's typed accessors.

#include <QtCore/QString>

namespace poremi::setting {

struct Bool {
    const char* name;
    bool defaultValue;
};
struct Int {
    const char* name;
    int defaultValue;
};
struct String {
    const char* name;
    const char16_t* defaultValue;
};

bool read(const Bool& s);
int read(const Int& s);
QString read(const String& s);
void write(const Bool& s, bool value);
void write(const Int& s, int value);
void write(const String& s, const QString& value);

inline constexpr Bool FixGDILeak{"FixGDILeak", true};
inline constexpr Bool DefaultShowHint{"DefaultShowHint", true};
inline constexpr Int Banding{"Banding", 1};  // 0 fast, 1 standard, 2 high quality
inline constexpr String CDPath{"CDPath", u""};
inline constexpr Bool CacheEnabl{"CacheEnabl", true};
inline constexpr Int CacheLimit{"CacheLimit", 0};  // MB, 0 = unlimited
inline constexpr Int ImageLimitSize{"ImageLimitSize", 1500};
inline constexpr String DefaultPaperName{"DefaultPaperName", u"A4 CDラベル 2面 (内径41mm)"};
inline constexpr Bool DefaultLandScape{"DefaultLandScape", false};
inline constexpr Bool DefaultDesign{"DefaultDesign", true};
inline constexpr Bool EnableSpecialMenu{"EnableSpecialMenu", false};
inline constexpr Bool Special{"Special", false};
inline constexpr Bool UseNTASPI{"UseNTASPI", false};
inline constexpr Bool AvoidClipTroubleOnPrint{"AvoidClipTroubleOnPrint", true};
inline constexpr String PPRUpdaterURL{"PPRUpdaterURL", u""};
// True means a direct connection. The CD database client reads it with the default false.
inline constexpr Bool ProxyUse{"ProxyUse", true};
inline constexpr String ProxyAddress{"ProxyAddress", u""};
inline constexpr String ProxyPort{"ProxyPort", u""};
inline constexpr Bool ProxyUseAccount{"ProxyUseAccount", false};
inline constexpr String ProxyAccount{"ProxyAccount", u""};
inline constexpr const char* ProxyPassword = "ProxyPassword";  // scrambled, see password_scrambler.h
inline constexpr String DefFontName{"DefFontName", u"ＭＳ Ｐゴシック"};
inline constexpr Int DefFontSize{"DefFontSize", 24};
inline constexpr Int DefPenColor{"DefPenColor", 0};
inline constexpr Int DefBrushColor{"DefBrushColor", 12632256};  // RGB 192,192,192
inline constexpr Int DefAlign{"DefAlign", 0};
inline constexpr Int DefStyle{"DefStyle", 0};
inline constexpr String CustomColors{"CustomColors", u""};

// The proxy port as a number: 80 where the text is not one.
int proxyPortNumber();

}  // namespace poremi::setting
