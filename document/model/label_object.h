#pragma once
// A draw object on a label: it may be left out of print and painted with an opacity.

#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"

namespace poremi {

class TLabelObject : public TDrawObject {
    POREMI_PERSISTENT(TLabelObject)
public:
    using TDrawObject::TDrawObject;

    bool dontPrint() const { return dontPrint_; }
    // A change is a change of the object and broadcasts msgDontPrintChanged.
    void setDontPrint(bool dontPrint);
    // Opacity in percent, kept within 0..100.
    int blendRatio() const { return blendRatio_; }
    void setBlendRatio(int blendRatio);
    bool blendShade() const { return blendShade_; }
    void setBlendShade(bool blendShade);

    // Handles and drags come from the designer registry.
    void showHandles() override;
    void beginDrag(int handle) override;
    // The double click: the registry's property editor; an edit that was not cancelled is
    // reported to the site. True when the object was edited.
    bool edit();

    // A change is a change of the object before msgMovableChanged goes out.
    void setMovable(bool movable) override;
    // Nothing when the object is left out of print and the painter draws for print.
    void paintTo(QPainter& painter) override;

private:
    bool dontPrint_ = false;
    int blendRatio_ = 100;
    bool blendShade_ = false;
};

// Gives a label object class the blending capability, whose operations are the object's
// published blend properties.
template <class Base>
class Blendable : public Base, public IDOBlend {
public:
    using Base::Base;
    bool blendShade() const override { return Base::blendShade(); }
    void setBlendShade(bool blendShade) override { Base::setBlendShade(blendShade); }
    int blendRatio() const override { return Base::blendRatio(); }
    void setBlendRatio(int blendRatio) override { Base::setBlendRatio(blendRatio); }
};

}  // namespace poremi
