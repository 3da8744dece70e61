#pragma once
// The private copy of the document's sheet that a mode screen edits: the paper with its extra
// information and template designs, SeparatelyDesign and the current label. Screens write
// label data back into the document, and the sheet only when they changed it.

#include <memory>

namespace poremi {

class TLabelData;

// The document's current label, held to the paper's faces (0 for a paper without faces).
int clampedLabelNo(const TLabelData& data);

// Writes the face's design of one label document as the same face's design of another, its
// objects in the same order.
void copyLabelDesign(TLabelData& from, int face, TLabelData& to);

class WorkingCopy {
public:
    WorkingCopy();
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    TLabelData& data() { return *data_; }
    const TLabelData& data() const { return *data_; }

    // Copies the paper, SeparatelyDesign, the current label (held to the faces), the extra
    // paper information and the template designs; the copy's label data stay as they were.
    void takeSheetFrom(const TLabelData& document);
    // Writes the same back into the document.
    void giveSheetTo(TLabelData& document) const;
    // The copy's current label, held to the paper's faces.
    int currentLabel() const;
    // Copies the document's design of the copy's current label into the copy.
    void takeCurrentLabelFrom(TLabelData& document) { copyLabelDesign(document, currentLabel(), *data_); }

private:
    std::unique_ptr<TLabelData> data_;
};

}  // namespace poremi
