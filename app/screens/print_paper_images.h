#pragma once
// The paper's own designs as a print job places them on its faces: copies owned here, each
// face's list made once per job, turned a quarter turn when the paper lies in landscape.

#include "document/model/object_list.h"

#include <map>

namespace poremi {

class TImagePaperInfo;
class TPaperInfo;

class PrintPaperImages {
public:
    // Both must outlive this.
    PrintPaperImages(const TImagePaperInfo& images, const TPaperInfo& paper);
    ~PrintPaperImages();
    PrintPaperImages(const PrintPaperImages&) = delete;
    PrintPaperImages& operator=(const PrintPaperImages&) = delete;

    // True when some face of the paper has a design object.
    static bool anyFace(const TImagePaperInfo& images, const TPaperInfo& paper);

    // Adds the face's objects, relative to the face and still owned here, to the list.
    void addTo(int face, TDOList& objects);

private:
    TDOList& faceObjects(int face);

    const TImagePaperInfo& images_;
    const TPaperInfo& paper_;
    std::map<int, TDOList> faces_;
};

}  // namespace poremi
