#include "paper/purpose.h"

#include "document/stream/class_declaration.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"

namespace poremi {
namespace {

const TPurposeValidator*& installedValidator() {
    static const TPurposeValidator* validator = nullptr;
    return validator;
}

}  // namespace

const TClassInfo& TPurposeInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TPurposeInfo, TCollectionItem>("TPurposeInfo", [](auto& d) {
        d.string("ID", &TPurposeInfo::id, &TPurposeInfo::setId);
        d.string("DisplayName", &TPurposeInfo::displayName, &TPurposeInfo::setDisplayName);
        d.set("ShapeMask", &TPurposeInfo::shapeMask, &TPurposeInfo::setShapeMask, faceShapeNames());
    });
    return info;
}

const TClassInfo& TPurposeList::staticClassInfo() {
    static const TClassInfo info = describeClass<TPurposeList, TCollection>("TPurposeList");
    return info;
}

TPurposeInfo& TPurposeList::add(const QString& id, const QString& displayName, TFaceShapes mask) {
    TPurposeInfo& item = add();
    item.setId(id);
    item.setDisplayName(displayName);
    item.setShapeMask(mask);
    return item;
}

qsizetype TPurposeList::indexOfId(const QString& id) const {
    for (qsizetype i = count() - 1; i >= 0; --i)
        if ((*this)[i].id().compare(id, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool TPurposeList::addIfMissing(const TPurposeInfo& item) {
    if (indexOfId(item.id()) >= 0) return false;
    add().assign(item);
    return true;
}

bool TPurposeList::mergeFrom(const TPurposeList& other) {
    bool added = false;
    const TPurposeValidator* validator = purposeValidator();
    for (qsizetype i = 0; i < other.count(); ++i) {
        // An obsolete purpose would be removed again at once: it does not count as added.
        if (validator && validator->isObsolete(other[i].id())) continue;
        added = addIfMissing(other[i]) || added;
    }
    removeObsolete();
    return added;
}

void TPurposeList::assign(const TPersistent& source) {
    TCollection::assign(source);
    removeObsolete();
}

void TPurposeList::loadDefaults() {
    clear();
    add(QStringLiteral("CD"), QStringLiteral("CD"), {fsDoughnut, fsEllipse});
    add(QStringLiteral("CDCover"), QStringLiteral("CDCover"), {fsRect, fsRoundRect});
    add(QStringLiteral("CDCaseTray"), QStringLiteral("CDCaseTray"), {fsRect, fsRoundRect});
    add(QStringLiteral("MOSquare"), QStringLiteral("MOSquare"), {fsRect, fsRoundRect});
    add(QString(), QString(), {});
}

void TPurposeList::getDisplayNames(QStringList& names) const {
    for (qsizetype i = 0; i < count(); ++i) names.append((*this)[i].displayName());
}

void TPurposeList::removeObsolete() {
    if (const TPurposeValidator* validator = purposeValidator()) validator->removeObsolete(*this);
}

void TPurposeList::loadFromStream(QIODevice& stream) {
    TPLStreamer streamer;
    ReadComponent(stream, streamer);
    TCollection::assign(streamer.list());
    removeObsolete();
}

void TPurposeList::saveToStream(QIODevice& stream) const {
    TPLStreamer streamer;
    streamer.list().TCollection::assign(*this);
    WriteComponent(stream, streamer);
}

const TClassInfo& TPLStreamer::staticClassInfo() {
    static const TClassInfo info = describeClass<TPLStreamer, TComponent>("TPLStreamer", [](auto& d) {
        d.object("List", &TPLStreamer::list);
    });
    return info;
}

bool TCDLabelPurposeValidator::isObsolete(const QString& id) const {
    return id == QLatin1String("MO") || id == QLatin1String("FD") || id == QLatin1String("CDCase");
}

QString TCDLabelPurposeValidator::mapId(const QString& id) const {
    if (id == QLatin1String("MO") || id == QLatin1String("FD")) return QStringLiteral("MOSquare");
    if (id == QLatin1String("CDCase")) return QStringLiteral("CDCaseTray");
    return id;
}

void TCDLabelPurposeValidator::removeObsolete(TPurposeList& list) const {
    for (qsizetype i = list.count() - 1; i >= 0; --i)
        if (isObsolete(list[i].id())) list.remove(i);
}

void installPurposeValidator(const TPurposeValidator* validator) { installedValidator() = validator; }

const TPurposeValidator* purposeValidator() { return installedValidator(); }

QString mapPurposeId(const QString& id) {
    const TPurposeValidator* validator = purposeValidator();
    return validator ? validator->mapId(id) : id;
}

}  // namespace poremi
