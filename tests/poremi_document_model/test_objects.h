#pragma once
// Small label objects for the tests: a coloured box that blends and a plain frame that does not.

#include "document/model/draw_site.h"
#include "document/model/object_list.h"
#include "document/model/rect_object.h"

#include <QtGui/QColor>
#include <QtGui/QPainter>

#include <vector>

namespace poremi::testing {

class TTestBox : public Blendable<TLORectBase> {
    POREMI_PERSISTENT(TTestBox)
public:
    using Blendable::Blendable;

    int color() const { return color_; }
    void setColor(int color) {
        if (color == color_) return;
        color_ = color;
        changed();
    }
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter& painter) override { painter.drawRect(rect().toQRectF()); }

    // Every message the object's listener handed on.
    std::vector<std::pair<MessageSender, Guid>> received;
    void notify(MessageSender sender, const Guid& message) override { received.emplace_back(sender, message); }

protected:
    // The colour is 0x00BBGGRR.
    void paint(QPainter& painter) override {
        painter.fillRect(rect().toQRectF(), QColor(color_ & 0xFF, (color_ >> 8) & 0xFF, (color_ >> 16) & 0xFF));
    }

private:
    int color_ = 0xFF;
};

class TTestFrame : public TLORectBase {
    POREMI_PERSISTENT(TTestFrame)
public:
    using TLORectBase::TLORectBase;
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter& painter) override { painter.drawRect(rect().toQRectF()); }
};

// A date that follows one of the document's times.
class TTestDate : public TTestFrame, public IDODateRefresh {
    POREMI_PERSISTENT(TTestDate)
public:
    using TTestFrame::TTestFrame;
    int dateUpdateFlag() const override { return flag_; }
    void setDateUpdateFlag(int flag) { flag_ = flag; }
    double date() const { return date_; }
    void setDate(double date) override { date_ = date; }

private:
    int flag_ = 0;
    double date_ = 0;
};

// A background picture: plain (the default state) until it gets a frame.
class TTestBackground : public TTestFrame, public IDOFaceBackground {
    POREMI_PERSISTENT(TTestBackground)
public:
    using TTestFrame::TTestFrame;
    bool framed() const { return framed_; }
    void setFramed(bool framed) { framed_ = framed; }
    bool isDefaultBackground() const override { return !framed_; }
    void setWidth(int width) override { TTestFrame::setWidth(width); }
    void setHeight(int height) override { TTestFrame::setHeight(height); }

private:
    bool framed_ = false;
};

// Frees the list's objects at the end of a test.
struct OwnedList {
    TDOList list;
    ~OwnedList() { list.freeAll(); }
};

// Registers the classes for stream reading.
void registerTestObjects();

}  // namespace poremi::testing
