#pragma once
// A text placed by the field drawing tool; its field number is stored and copied like any
// text's.

#include "objects/text_object.h"

namespace poremi {

class TLOField : public TLOText {
    POREMI_PERSISTENT(TLOField)
public:
    using TLOText::TLOText;
};

}  // namespace poremi
