#include "objects/dialogs/picture_file_choice.h"

#include "base/user_interface.h"
#include "core/app_frame.h"
#include "render/raster/graphic.h"
#include "render/raster/picture_codecs.h"

#include <QtCore/QStringList>

namespace poremi {
namespace {

QString pictureFileFilter() {
    QStringList patterns;
    for (const QString& extension : ExpandMacros(QStringLiteral("$(ImageFileExtentions)")).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << QLatin1Char('*') + extension;
    return QStringLiteral("イメージファイル|%1").arg(patterns.join(QLatin1Char(';')));
}

void reportLoadFailure() {
    const QString text = QStringLiteral("イメージの読み込みに失敗しました");
    if (TAppFrame* frame = TAppFrame::instance())
        frame->showMessageBox(text);
    else
        userInterface().messageBox(QString(), text, {MessageButton::Ok}, 0, 0);
}

}  // namespace

bool choosePictureFile(const QString& title, TPicture& picture) {
    FileQuestion question;
    question.title = title;
    question.filter = pictureFileFilter();
    const std::optional<FileAnswer> answer = userInterface().askFileName(question);
    if (!answer) return false;
    try {
        loadPictureFile(answer->fileName, picture);
    } catch (const Exception&) {
        reportLoadFailure();
        return false;
    }
    return true;
}

void loadPictureFile(const QString& path, TPicture& picture) {
    TPicture loaded;
    try {
        loaded.loadFromFile(path);
        // Broken pixel data shows only when decoded: decode now, while the file can be refused.
        if (loaded.graphic()->image().isNull() && loaded.graphic()->format() != GraphicFormat::Metafile)
            throw PictureDecodeError();
    } catch (const Exception&) {
        // Whatever failed (a missing file, an unknown extension, broken data), the user learns
        // only that the picture did not load.
        throw PictureDecodeError();
    }
    picture.assign(loaded);
}

}  // namespace poremi
