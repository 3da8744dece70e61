#pragma once
// The process-wide font services: finding faces through fontconfig, the usable, unusable and
// vertical ("@") name lists, and the faces opened for drawing. Documents carry Windows face
// names; the application-local fontconfig file maps them onto installed faces.

#include "render/text/font_face.h"

#include <QtCore/QMap>
#include <QtCore/QStringList>
#include <memory>

struct _FcConfig;

namespace poremi {

struct FontConfiguration {
    bool systemFonts = true;   // the system's fontconfig setup first
    QStringList files;         // then these fontconfig files, in order

    // The system setup plus the mapping file shipped beside the executable.
    static FontConfiguration application();
};

class FontLibrary {
public:
    // The library of the process, built from FontConfiguration::application() unless
    // configure() was called first.
    static FontLibrary& instance();
    // Replaces the library of the process (tests pin their fonts with it).
    static void configure(const FontConfiguration& configuration);

    explicit FontLibrary(const FontConfiguration& configuration);
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // Sorted name lists; the vertical list holds "@" + name.
    const QStringList& usableFonts() const { return usable_; }
    const QStringList& unusableFonts() const { return unusable_; }
    const QStringList& verticalFonts();

    // Installed as a scalable outline face under this name (directly or through the mapping).
    bool isUsable(const QString& name);
    bool hasVerticalFace(const QString& name);

    // The face drawn for name; null when no face answers to the name or its file fails.
    std::shared_ptr<FontFace> face(const QString& name, bool bold, bool italic);

private:
    struct Resolved {
        FaceSource source;
        bool found = false;
    };
    Resolved resolve(const QString& name, bool bold, bool italic);
    void enumerate(const QStringList& mappedNames);
    std::shared_ptr<FontFace> open(const FaceSource& source);
    bool probeVertical(const FaceSource& source);

    _FcConfig* config_ = nullptr;
    QStringList usable_, unusable_, vertical_;
    QMap<QString, bool> usableSet_;       // answers cached by name
    bool verticalListed_ = false;
    QMap<QString, FaceSource> sourceOfName_;
    QMap<QString, bool> verticalByName_;
    QMap<QString, bool> verticalByFile_;    // by file and face index
    QMap<QString, std::shared_ptr<FontFace>> faces_;   // by file, index and synthetic style
    QMap<QString, Resolved> resolved_;
};

}  // namespace poremi
