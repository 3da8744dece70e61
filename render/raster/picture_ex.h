#pragma once
// The picture of the image library and of the objects that take pictures from it: a picture
// that also records where it came from. ImageID names the source (the file name of a picture
// loaded from a file); StorageID is only copied along.

#include "render/raster/picture.h"

namespace poremi {

class TPictureEx : public TPicture {
    POREMI_PERSISTENT(TPictureEx)
public:
    TPictureEx();

    // Published.
    const QString& imageID() const { return imageID_; }
    void setImageID(const QString& id);
    const QString& storageID() const { return storageID_; }
    void setStorageID(const QString& id);

    // Set by every change; the owner clears it.
    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // Loads the file and takes its name as ImageID.
    void loadFromFile(const QString& path);

    // The graphic, and from another TPictureEx also ImageID and StorageID.
    void assign(const TPersistent& source) override;

private:
    QString imageID_;
    QString storageID_;
    bool modified_ = false;
};

}  // namespace poremi
