#include "document/model/label_transfer.h"

#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "document/model/object_placement.h"
#include "paper/paper_info.h"

#include <QtCore/QBuffer>
#include <QtCore/QMimeData>
#include <QtCore/QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace poremi {

namespace {

constexpr int kSizeTolerance = 20;  // 2 mm

// Owns the objects of a list until the list is dropped.
struct OwnedObjects {
    TDOList list;
    ~OwnedObjects() { list.freeAll(); }
};

QSize faceSize(const TLabelData& data, int face) {
    const TRect rect = data.Paper()->getFaceInfo(face).faceRect;
    return {rectWidth(rect), rectHeight(rect)};
}

// The face's objects front to back, as the site holds them.
void loadFrontToBack(TLabelData& data, int face, TDOList& list) {
    data.LoadLabelObjects(face, list);
    std::vector<TDrawObject*> items = list.items();
    std::reverse(items.begin(), items.end());
    list.clear();
    for (TDrawObject* object : items) list.add(object);
}

QString hex8(int value) { return QStringLiteral("%1").arg(quint32(value), 8, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

QString labelSizeDiffersQuestion() {
    return QStringLiteral("複写先のラベルサイズが異なっています。\r\nデータの位置関係が変わりますが複写しますか？");
}

QString labelReplaceQuestion() {
    return QStringLiteral("複写先ラベルのデータを削除してから複写します。\r\n複写してもよろしいですか？");
}

QString labelDeleteQuestion() { return QStringLiteral("指定されたラベルのデータを削除します。よろしいですか？"); }

std::unique_ptr<QMimeData> copyLabel(TLabelData& data, int face) {
    OwnedObjects read;
    loadFrontToBack(data, face, read.list);
    TDOList kept;
    for (TDrawObject* object : read.list.items()) {
        // Template images and face outlines belong to the screen, not to the design.
        if (object->layerGroup() == kPaperTemplateLayer || object->className() == QLatin1String("TLOFace")) continue;
        kept.add(object);
    }
    if (kept.count() == 0) return nullptr;
    const QSize size = faceSize(data, face);
    kept.item(0)->setName(QStringLiteral("Size") + hex8(size.width()) + hex8(size.height()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    kept.writeTo(buffer);
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(kSheetLabelMimeType), bytes);
    return mime;
}

std::optional<QSize> labelClipSize(const QString& firstObjectName) {
    static const QRegularExpression pattern(QStringLiteral("^Size([0-9A-Fa-f]{8})([0-9A-Fa-f]{8})$"));
    const QRegularExpressionMatch match = pattern.match(firstObjectName);
    if (!match.hasMatch()) return std::nullopt;
    // Eight hexadecimal digits are a signed 32-bit number.
    return QSize(int(match.captured(1).toUInt(nullptr, 16)), int(match.captured(2).toUInt(nullptr, 16)));
}

bool confirmLabelCopy(TLabelData& data, int target, std::optional<QSize> source, const LabelQuestion& ask) {
    const QSize size = faceSize(data, target);
    if (!source || std::abs(qint64(size.width()) - source->width()) > kSizeTolerance ||
        std::abs(qint64(size.height()) - source->height()) > kSizeTolerance)
        return ask(labelSizeDiffersQuestion());
    if (data.HasLabelData(target)) return ask(labelReplaceQuestion());
    return true;
}

bool pasteLabel(TLabelData& data, int face, const QMimeData& clip, const LabelQuestion& ask) {
    QByteArray bytes = clip.data(QString::fromLatin1(kSheetLabelMimeType));
    if (bytes.isEmpty()) return false;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    OwnedObjects pasted;
    pasted.list.readFrom(buffer);
    if (pasted.list.count() == 0) return false;
    TDrawObject& first = *pasted.list.item(0);
    const std::optional<QSize> source = labelClipSize(first.name());
    const TRect outer = data.Paper()->getFaceInfo(face).outerRect();
    keepObjectsOnFace(pasted.list.items(), {0, 0, rectWidth(outer), rectHeight(outer)});
    if (!confirmLabelCopy(data, face, source, ask)) return false;
    first.setName(QString());
    data.SaveLabelObjects(face, pasted.list);
    return true;
}

bool dragLabel(TLabelData& data, int source, int target, bool move, const LabelQuestion& ask) {
    if (data.SameLabelData(source, target) || !data.HasLabelData(source)) return false;
    if (!confirmLabelCopy(data, target, faceSize(data, source), ask)) return false;
    OwnedObjects objects;
    loadFrontToBack(data, source, objects.list);
    if (objects.list.count() == 0) return false;
    data.SaveLabelObjects(target, objects.list);
    if (move) data.DeleteLabel(source);
    return true;
}

bool deleteLabel(TLabelData& data, int face, const LabelQuestion& ask) {
    if (!ask(labelDeleteQuestion())) return false;
    data.DeleteLabel(face);
    return true;
}

std::unique_ptr<QMimeData> cutLabel(TLabelData& data, int face, const LabelQuestion& ask) {
    if (!ask(labelDeleteQuestion())) return nullptr;
    std::unique_ptr<QMimeData> clip = copyLabel(data, face);
    data.DeleteLabel(face);
    return clip;
}

}  // namespace poremi
