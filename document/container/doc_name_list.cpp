#include "document/container/doc_name_list.h"

#include "base/text_codec.h"
#include "document/container/container_error.h"
#include "document/container/doc_path.h"
#include "document/container/storage_mode.h"
#include "platform/cfb/compound_file_error.h"
#include "platform/cfb/compound_file_format.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QtEndian>
#include <limits>

namespace poremi {
namespace {

// An item names one element beside the list stream; a name that the paths of this container
// would read as a folder step, or that no element can carry, could reach another element.
bool isPlainElementName(const QString& name) {
    if (name.isEmpty() || name.size() > cfb::kMaxNameLength || name == u"." || name == u"..") return false;
    for (const QChar c : name) {
        if (c == u'\\' || c == u'/' || c == u':' || c == u'!' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

}  // namespace

TDocNameList::TDocNameList(TRootStorage& root, const QString& listPath) : root_(root) {
    const QString path = ResolveDocPath(QString(), listPath);
    folder_ = DocPathFolder(path);
    prefix_ = DocPathName(path);
    if (!root_.IsWritable()) {
        stream_ = std::make_unique<TDocStream>(root_, fmOpenRead | fmShareExclusive, path);
    } else if (root_.StreamExists(path)) {
        stream_ = std::make_unique<TDocStream>(root_, fmOpenReadWrite | fmShareExclusive, path);
    } else {
        stream_ = std::make_unique<TDocStream>(root_, fmCreate, path);
    }
    if (stream_->Size() > 0) Load();
}

TDocNameList::~TDocNameList() = default;

int TDocNameList::IndexOf(const QString& name) const { return int(items_.indexOf(name)); }

void TDocNameList::Load() {
    stream_->SetPosition(0);
    char counter[4];
    stream_->ReadBuffer(counter, 4);
    counter_ = qFromLittleEndian<qint32>(counter);
    const QString text = cp932::decode(stream_->ReadRest());
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    items_ = text.split(lineBreak);
    if (!items_.isEmpty() && items_.last().isEmpty()) items_.removeLast();
    for (const QString& item : items_)
        if (!isPlainElementName(item)) cfb::throwError(cfb::ErrorCode::InvalidName, item);
    // A counter that is not above the numbers in use would hand out an existing name again.
    qint64 next = std::max<qint32>(counter_, 0);
    for (const QString& item : items_) {
        if (!item.startsWith(prefix_, Qt::CaseInsensitive)) continue;
        bool ok = false;
        const qint64 number = item.mid(prefix_.size()).toLongLong(&ok);
        if (ok && number >= next && number < std::numeric_limits<qint32>::max()) next = number + 1;
    }
    counter_ = qint32(next);
}

void TDocNameList::Store() {
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(counter_, bytes.data());
    for (const QString& item : items_) bytes += cp932::encode(item) + "\r\n";
    stream_->SetSize(0);
    stream_->SetPosition(0);
    stream_->WriteBytes(bytes);
}

int TDocNameList::AddItem() {
    if (counter_ == std::numeric_limits<qint32>::max())
        throw EContainerError(ContainerFault::NamesExhausted, QStringLiteral("名前の番号を使い切りました"));
    items_.append(prefix_ + QString::number(counter_));
    ++counter_;
    Store();
    return Count() - 1;
}

QString TDocNameList::ItemPath(int index) const {
    return folder_.isEmpty() ? items_.at(index) : folder_ + u'\\' + items_.at(index);
}

std::unique_ptr<TDocStream> TDocNameList::OpenItem(int index, int mode) {
    return std::make_unique<TDocStream>(root_, mode, ItemPath(index));
}

bool TDocNameList::ItemExists(int index) {
    if (index < 0 || index >= Count()) return false;
    return root_.StreamExists(ItemPath(index)) || root_.StorageExists(ItemPath(index));
}

void TDocNameList::DeleteItemElement(int index) { root_.DeleteElement(ItemPath(index)); }

void TDocNameList::DeleteItem(int index) {
    DeleteItemElement(index);
    items_.removeAt(index);
    Store();
}

}  // namespace poremi
