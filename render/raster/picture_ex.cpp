#include "render/raster/picture_ex.h"

#include "document/stream/class_declaration.h"

namespace poremi {

const TClassInfo& TPictureEx::staticClassInfo()
{
    static const TClassInfo info = describeClass<TPictureEx, TPicture>("TPictureEx", [](auto& c) {
        c.string("ImageID", &TPictureEx::imageID, &TPictureEx::setImageID);
        c.string("StorageID", &TPictureEx::storageID, &TPictureEx::setStorageID);
    });
    return info;
}

TPictureEx::TPictureEx()
{
    notifier().addListener([this] { modified_ = true; });
}

void TPictureEx::setImageID(const QString& id)
{
    if (id == imageID_)
        return;
    imageID_ = id;
    notifier().changed();
}

void TPictureEx::setStorageID(const QString& id)
{
    if (id == storageID_)
        return;
    storageID_ = id;
    notifier().changed();
}

void TPictureEx::loadFromFile(const QString& path)
{
    ChangeBracket bracket(notifier());
    TPicture::loadFromFile(path);
    setImageID(path);
}

void TPictureEx::assign(const TPersistent& source)
{
    ChangeBracket bracket(notifier());
    TPicture::assign(source);
    if (const auto* other = dynamic_cast<const TPictureEx*>(&source)) {
        setImageID(other->imageID_);
        setStorageID(other->storageID_);
    }
}

}  // namespace poremi
