#pragma once
// Draw objects on the clipboard: their own form (the object list stream, front to back) for
// windows of this program, and new text and picture objects made from what other programs put
// there.

#include <QtCore/QString>
#include <memory>
#include <vector>

class QMimeData;

namespace poremi {

class DrawSite;
class TDrawObject;
class TGraphic;

inline constexpr char kDrawObjectsMimeType[] = "application/x-poremi-objects";

// Copies of the objects in the clipboard form, their component names kept.
std::unique_ptr<QMimeData> objectsMimeData(const std::vector<TDrawObject*>& frontToBack);

// Whether a paste could take something (objects, text or a picture). Looks at the formats
// only: nothing is read or made.
bool canPasteFrom(const QMimeData* mime);

// Whether the data hold a picture in a format a picture is read from. Looks at the formats
// only.
bool holdsPicture(const QMimeData* mime);

// The first picture of the data in their own order of formats; none when they hold none or
// it exceeds the picture budget. Broken bytes raise the decoder's error.
std::unique_ptr<TGraphic> pictureFrom(const QMimeData& mime);

// The draw objects of the clipboard form, front to back; none when the form is absent or
// holds no object. The bytes are untrusted: a broken stream raises the stream's error and
// frees what was read.
std::vector<std::unique_ptr<TDrawObject>> readClipboardObjects(const QMimeData& mime);

// Looks at the formats in the data's own order: the first text makes a text object, the first
// picture a picture object (within the picture budget); it is placed, selected and recorded as
// one addition. False when the data holds neither (or only empty text).
bool pasteAsNewObject(DrawSite& site, const QMimeData& mime);

}  // namespace poremi
