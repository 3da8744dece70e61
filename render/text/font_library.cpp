#include "render/text/font_library.h"

#include "base/error.h"

#include <fontconfig/fontconfig.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSet>
#include <QtCore/QXmlStreamReader>

namespace poremi {
namespace {

std::unique_ptr<FontLibrary>& processLibrary() {
    static std::unique_ptr<FontLibrary> library;
    return library;
}

// fontconfig compares family names ignoring case and blanks.
QString familyKey(const QString& name) {
    QString key = name.toCaseFolded();
    key.remove(QLatin1Char(' '));
    return key;
}

QStringList familiesOf(FcPattern* pattern) {
    QStringList names;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        names << QString::fromUtf8(reinterpret_cast<const char*>(value));
    return names;
}

bool isOutlineFormat(FcPattern* pattern) {
    FcBool outline = FcFalse;
    FcBool scalable = FcFalse;
    FcChar8* format = nullptr;
    FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline);
    FcPatternGetBool(pattern, FC_SCALABLE, 0, &scalable);
    if (!outline || !scalable) return false;
    if (FcPatternGetString(pattern, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
    const QByteArray name(reinterpret_cast<const char*>(format));
    return name == "TrueType" || name == "CFF";
}

// The names the mapping files give aliases for: the first family of every <alias>.
QStringList aliasNames(const QStringList& files) {
    QStringList names;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        QXmlStreamReader xml(&file);
        int depthInAlias = 0;
        bool wantFamily = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("alias")) {
                    depthInAlias = 1;
                    wantFamily = true;
                } else if (depthInAlias > 0) {
                    ++depthInAlias;
                    if (depthInAlias == 2 && wantFamily && xml.name() == QLatin1String("family")) {
                        names << xml.readElementText().trimmed();
                        wantFamily = false;
                        --depthInAlias;
                    }
                }
            } else if (xml.isEndElement() && depthInAlias > 0) {
                --depthInAlias;
            }
        }
    }
    return names;
}

FaceSource sourceOf(FcPattern* font) {
    FaceSource source;
    FcChar8* file = nullptr;
    FcLangSet* languages = nullptr;
    FcPatternGetString(font, FC_FILE, 0, &file);
    FcPatternGetInteger(font, FC_INDEX, 0, &source.index);
    source.file = QFile::decodeName(reinterpret_cast<const char*>(file));
    source.family = familiesOf(font).value(0);
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) == FcResultMatch &&
        FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual)
        source.charset = 128;
    return source;
}

}  // namespace

FontConfiguration FontConfiguration::application() {
    FontConfiguration configuration;
    const QString mapping = QCoreApplication::applicationDirPath() + QStringLiteral("/Data/Fonts/poremi-fonts.conf");
    if (QFileInfo::exists(mapping)) configuration.files << mapping;
    return configuration;
}

FontLibrary& FontLibrary::instance() {
    auto& library = processLibrary();
    if (!library) library = std::make_unique<FontLibrary>(FontConfiguration::application());
    return *library;
}

void FontLibrary::configure(const FontConfiguration& configuration) {
    processLibrary() = std::make_unique<FontLibrary>(configuration);
}

FontLibrary::FontLibrary(const FontConfiguration& configuration) {
    config_ = configuration.systemFonts ? FcInitLoadConfig() : FcConfigCreate();
    if (!config_) throw Exception(QStringLiteral("フォントの設定を読み込めません。"));
    for (const QString& file : configuration.files) {
        const QByteArray name = QFile::encodeName(file);
        if (!FcConfigParseAndLoad(config_, reinterpret_cast<const FcChar8*>(name.constData()), FcTrue)) {
            FcConfigDestroy(config_);
            throw Exception(QStringLiteral("フォントの設定ファイル %1 を読み込めません。").arg(file));
        }
    }
    FcConfigBuildFonts(config_);
    enumerate(aliasNames(configuration.files));
}

FontLibrary::~FontLibrary() {
    faces_.clear();
    FcConfigDestroy(config_);
}

void FontLibrary::enumerate(const QStringList& mappedNames) {
    FcPattern* all = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_LANG, FC_OUTLINE, FC_SCALABLE, FC_FONTFORMAT,
                                            static_cast<char*>(nullptr));
    FcFontSet* set = FcFontList(config_, all, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(all);

    QSet<QString> usable, unusable;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        const QStringList names = familiesOf(font);
        const bool outline = isOutlineFormat(font);
        for (const QString& name : names) {
            (outline ? usable : unusable).insert(name);
            if (outline && !sourceOfName_.contains(name)) sourceOfName_.insert(name, sourceOf(font));
        }
    }
    if (set) FcFontSetDestroy(set);

    for (const QString& name : mappedNames) {
        const Resolved& resolved = resolve(name, false, false);
        if (!resolved.found) continue;
        usable.insert(name);
        sourceOfName_.insert(name, resolved.source);
    }
    for (const QString& name : usable) unusable.remove(name);

    usable_ = QStringList(usable.begin(), usable.end());
    unusable_ = QStringList(unusable.begin(), unusable.end());
    usable_.sort();
    unusable_.sort();
    for (const QString& name : usable_) usableSet_.insert(name, true);
    for (const QString& name : unusable_) usableSet_.insert(name, false);
}

const QStringList& FontLibrary::verticalFonts() {
    if (!verticalListed_) {
        for (const QString& name : usable_)
            if (hasVerticalFace(name)) vertical_ << QLatin1Char('@') + name;
        verticalListed_ = true;
    }
    return vertical_;
}

bool FontLibrary::hasVerticalFace(const QString& name) {
    const auto known = verticalByName_.constFind(name);
    if (known != verticalByName_.constEnd()) return *known;
    bool answer = false;
    const auto source = sourceOfName_.constFind(name);
    if (source != sourceOfName_.constEnd()) {
        answer = probeVertical(*source);
    } else if (isUsable(name)) {
        answer = probeVertical(resolve(name, false, false).source);
    }
    verticalByName_.insert(name, answer);
    return answer;
}

bool FontLibrary::probeVertical(const FaceSource& source) {
    const QString key = source.file + QLatin1Char('\n') + QString::number(source.index);
    const auto known = verticalByFile_.constFind(key);
    if (known != verticalByFile_.constEnd()) return *known;
    // Probed without keeping the face open: listing every face must not hold every file.
    bool answer = false;
    try {
        answer = FontFace(source).supportsVertical();
    } catch (const Exception&) {
        answer = false;
    }
    verticalByFile_.insert(key, answer);
    return answer;
}

bool FontLibrary::isUsable(const QString& name) {
    const auto known = usableSet_.constFind(name);
    if (known != usableSet_.constEnd()) return *known;
    const bool answer = resolve(name, false, false).found;
    usableSet_.insert(name, answer);
    return answer;
}

FontLibrary::Resolved FontLibrary::resolve(const QString& name, bool bold, bool italic) {
    const QString cacheKey = name + QLatin1Char('\n') + QLatin1Char(bold ? 'b' : '-') + QLatin1Char(italic ? 'i' : '-');
    const auto cached = resolved_.constFind(cacheKey);
    if (cached != resolved_.constEnd()) return *cached;

    Resolved resolved;
    FcPattern* pattern = FcPatternCreate();
    const QByteArray family = name.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);

    // The name itself and every family the mapping put ahead of it answer to the name;
    // generic fallbacks appended behind it do not.
    QSet<QString> accepted;
    const QString wanted = familyKey(name);
    for (const QString& candidate : familiesOf(pattern)) {
        accepted.insert(familyKey(candidate));
        if (familyKey(candidate) == wanted) break;
    }
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    FcPatternDestroy(pattern);
    if (match && result == FcResultMatch && isOutlineFormat(match)) {
        const QStringList families = familiesOf(match);
        for (const QString& candidate : families)
            if (accepted.contains(familyKey(candidate))) resolved.found = true;
        if (resolved.found) {
            int weight = FC_WEIGHT_REGULAR;
            int slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            resolved.source = sourceOf(match);
            resolved.source.syntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
            resolved.source.syntheticItalic = italic && slant == FC_SLANT_ROMAN;
        }
    }
    if (match) FcPatternDestroy(match);
    resolved_.insert(cacheKey, resolved);
    return resolved;
}

std::shared_ptr<FontFace> FontLibrary::open(const FaceSource& source) {
    const QString key = source.file + QLatin1Char('\n') + QString::number(source.index) + QLatin1Char('\n') +
                        QLatin1Char(source.syntheticBold ? 'b' : '-') + QLatin1Char(source.syntheticItalic ? 'i' : '-');
    const auto found = faces_.constFind(key);
    if (found != faces_.constEnd()) return *found;
    auto face = std::make_shared<FontFace>(source);
    faces_.insert(key, face);
    return face;
}

std::shared_ptr<FontFace> FontLibrary::face(const QString& name, bool bold, bool italic) {
    const Resolved resolved = resolve(name, bold, italic);
    if (!resolved.found) return nullptr;
    try {
        return open(resolved.source);
    } catch (const Exception&) {
        usableSet_.insert(name, false);   // listed, but its file is no outline face after all
        return nullptr;
    }
}

}  // namespace poremi
