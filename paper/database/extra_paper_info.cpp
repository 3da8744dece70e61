#include "paper/database/extra_paper_info.h"

#include "document/stream/class_declaration.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "paper/database/paper_store.h"
#include "paper/paper_info.h"

#include <QtCore/QBuffer>
#include <QtCore/QtEndian>

namespace poremi {

// ---- TExtraPaperInfo

const TClassInfo& TExtraPaperInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TExtraPaperInfo, TComponent>("TExtraPaperInfo", [](auto& d) {
        d.string("PaperName", &TExtraPaperInfo::paperName, &TExtraPaperInfo::setPaperName);
    });
    return info;
}

bool TExtraPaperInfo::sameAs(const TExtraPaperInfo& other) const { return contentBytes() == other.contentBytes(); }

QByteArray TExtraPaperInfo::contentBytes() const { return componentStreamBytes(*this); }

std::unique_ptr<TExtraPaperInfo> TExtraPaperInfo::clone() const {
    std::unique_ptr<TPersistent> made = classInfo().create();
    auto* record = dynamic_cast<TExtraPaperInfo*>(made.get());
    if (!record) stream_error::invalidCast();
    made.release();
    std::unique_ptr<TExtraPaperInfo> copy(record);
    copy->assign(*this);
    return copy;
}

// ---- TExPaperInfo

const TClassInfo& TExPaperInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TExPaperInfo, TExtraPaperInfo>("TExPaperInfo", [](auto& d) {
        d.string("Purpose", &TExPaperInfo::purpose, &TExPaperInfo::setPurpose);
        d.string("Company", &TExPaperInfo::company, &TExPaperInfo::setCompany);
        d.integer("RoundSize", &TExPaperInfo::roundSize, &TExPaperInfo::setRoundSize);
    });
    return info;
}

// ---- TImagePaperInfo

const TClassInfo& TImagePaperInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TImagePaperInfo, TExtraPaperInfo>("TImagePaperInfo", [](auto& d) {
        d.boolean("SeparatelyDesign", &TImagePaperInfo::separatelyDesign, &TImagePaperInfo::setSeparatelyDesign);
        d.integer("LabelCount", &TImagePaperInfo::labelCount, &TImagePaperInfo::setLabelCount);
    });
    return info;
}

TImagePaperInfo::TImagePaperInfo(TComponent* owner) : TExtraPaperInfo(owner) {}

TImagePaperInfo::~TImagePaperInfo() = default;

std::vector<const TComponent*> TImagePaperInfo::objects(int face) const {
    std::vector<const TComponent*> list;
    if (face < 0 || face >= faceListCount()) return list;
    for (const auto& object : faces_[std::size_t(face)]) list.push_back(object.get());
    return list;
}

TImagePaperInfo::Objects TImagePaperInfo::copyOfObjects(int face) const { return readFaceList(faceListBytes(face)); }

void TImagePaperInfo::setObjects(int face, Objects objects) {
    if (face < 0) return;
    if (face >= faceListCount()) faces_.resize(std::size_t(face) + 1);
    faces_[std::size_t(face)] = std::move(objects);
}

QByteArray TImagePaperInfo::faceListBytes(int face) const {
    const std::vector<const TComponent*> list = objects(face);
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(qint32(list.size()), bytes.data());
    for (const TComponent* object : list) bytes += componentStreamBytes(*object);
    return bytes;
}

TImagePaperInfo::Objects TImagePaperInfo::readFaceList(const QByteArray& bytes) {
    if (bytes.size() < 4) stream_error::readError();
    const qint32 count = qFromLittleEndian<qint32>(bytes.constData());
    if (count < 0) stream_error::invalidFormat();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(4);
    Objects objects;
    // Every object takes bytes of its own, so a hostile count ends at the end of the stream.
    for (qint32 i = 0; i < count; ++i) {
        if (buffer.atEnd()) stream_error::readError();
        objects.push_back(ReadComponent(buffer));
    }
    return objects;
}

QString TImagePaperInfo::faceStreamName(int face) { return paperItemName(quint32(face) + 1); }

int TImagePaperInfo::faceOfStreamName(const QString& name) {
    const quint32 number = paperItemNumber(name);
    if (number == 0 || number > quint32(TPaperInfo::kMaxFaceCount)) return -1;
    return int(number) - 1;
}

bool TImagePaperInfo::isEmpty() const {
    for (const Objects& face : faces_)
        if (!face.empty()) return false;
    return true;
}

void TImagePaperInfo::assign(const TPersistent& source) {
    TExtraPaperInfo::assign(source);
    const auto* other = dynamic_cast<const TImagePaperInfo*>(&source);
    if (!other || other == this) return;
    std::vector<Objects> copies;
    for (int face = 0; face < other->faceListCount(); ++face) copies.push_back(other->copyOfObjects(face));
    faces_ = std::move(copies);
}

QByteArray TImagePaperInfo::contentBytes() const {
    QByteArray bytes = TExtraPaperInfo::contentBytes();
    for (int face = 0; face < faceListCount(); ++face) bytes += faceListBytes(face);
    return bytes;
}

}  // namespace poremi
