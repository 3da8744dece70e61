#include "edit/style/object_style.h"

#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/model/property_interfaces.h"
#include "render/raster/fill_color.h"
#include "base/error.h"
#include "render/text/text_font.h"
#include "render/text/point_based_font.h"

#include <memory>

namespace poremi {
namespace {

template <class Interface>
Interface* as(TDrawObject& object) {
    return dynamic_cast<Interface*>(&object);
}

template <class Interface>
const Interface* as(const TDrawObject& object) {
    return dynamic_cast<const Interface*>(&object);
}

// The colour of a colour specification replaced, the rest of it kept.
std::unique_ptr<TColorSpec> withColor(const TColorSpec& spec, TColor color) {
    auto changed = std::make_unique<TColorSpec>();
    changed->assign(spec);
    changed->setColor(color);
    return changed;
}

void setFontName(TPointBasedFont& font, const QString& name) {
    if (font.name() == name) return;
    font.setName(name);
    if (const std::optional<DrawnFace> face = drawnFace(name)) font.setCharset(face->charset);
}

}  // namespace

std::optional<DrawnFace> drawnFace(const QString& name) {
    TPointBasedFont font;
    font.setName(name);
    try {
        const TextFont drawn(font, false, 1.0);
        return DrawnFace{drawn.faceName(), std::uint8_t(drawn.charset())};
    } catch (const Exception&) {
        return std::nullopt;
    }
}

bool hasStyleProperty(const TDrawObject& object, StyleProperty property) {
    switch (property) {
    case StyleProperty::FontName:
    case StyleProperty::FontSize:
    case StyleProperty::FontStyle:
        return as<IDOFont>(object);
    case StyleProperty::Align:
        return as<IDOAlign>(object);
    case StyleProperty::PenColor:
        return as<IDOLineColor>(object);
    case StyleProperty::Fill:
        return as<IDOFillColor>(object);
    }
    return false;
}

bool applyStyleProperty(TDrawObject& object, const TStyleToolSpec& style, StyleProperty property) {
    if (!hasStyleProperty(object, property)) return false;
    switch (property) {
    case StyleProperty::FontName:
    case StyleProperty::FontSize:
    case StyleProperty::FontStyle: {
        auto* target = as<IDOFont>(object);
        TPointBasedFont font = target->font();
        if (property == StyleProperty::FontName) setFontName(font, style.fontName);
        if (property == StyleProperty::FontSize) {
            if (!isFontSizeAccepted(style.fontSize)) return false;
            font.setSize(style.fontSize);
        }
        if (property == StyleProperty::FontStyle)
            font.setStyle(std::uint8_t((font.style() & ~kFontStyleBits) | (style.fontStyle & kFontStyleBits)));
        target->setFont(font);
        return true;
    }
    case StyleProperty::Align:
        as<IDOAlign>(object)->setAlign(style.align);
        return true;
    case StyleProperty::PenColor: {
        auto* target = as<IDOLineColor>(object);
        target->setLineColor(*withColor(target->lineColor(), style.penColor));
        return true;
    }
    case StyleProperty::Fill: {
        auto* target = as<IDOFillColor>(object);
        if (!style.transparent) target->setFillColor(*withColor(target->fillColor(), style.brushColor));
        target->setFillInside(!style.transparent);
        return true;
    }
    }
    return false;
}

void applyStyle(TDrawObject& object, const TStyleToolSpec& style) {
    for (const StyleProperty property : {StyleProperty::Fill, StyleProperty::PenColor, StyleProperty::FontName,
                                         StyleProperty::FontSize, StyleProperty::FontStyle, StyleProperty::Align})
        applyStyleProperty(object, style, property);
}

TStyleToolSpec objectStyle(const TDrawObject& object, TStyleToolSpec style) {
    if (const auto* fill = as<IDOFillColor>(object)) {
        style.brushColor = fill->fillColor().color();
        style.transparent = !fill->fillInside();
    }
    if (const auto* line = as<IDOLineColor>(object)) style.penColor = line->lineColor().color();
    if (const auto* font = as<IDOFont>(object)) {
        style.fontName = font->font().name();
        style.fontSize = font->font().size();
        style.fontStyle = font->font().style() & kFontStyleBits;
    }
    if (const auto* align = as<IDOAlign>(object)) style.align = align->align();
    return style;
}

void copyStyle(const TDrawObject& from, TDrawObject& to) {
    if (&from == &to) return;
    if (const auto* source = as<IDOFillColor>(from))
        if (auto* target = as<IDOFillColor>(to)) {
            target->setFillColor(source->fillColor());
            target->setFillInside(source->fillInside());
        }
    if (const auto* source = as<IDOLineColor>(from))
        if (auto* target = as<IDOLineColor>(to)) target->setLineColor(source->lineColor());
    if (const auto* source = as<IDOFont>(from))
        if (auto* target = as<IDOFont>(to)) target->setFont(source->font());
    if (const auto* source = as<IDOAlign>(from))
        if (auto* target = as<IDOAlign>(to)) target->setAlign(source->align());
}

void applyNewObjectStyle(TDrawObject& object, const TStyleToolSpec& style, const TDrawObject* frontSelected) {
    applyStyle(object, style);
    if (frontSelected) copyStyle(*frontSelected, object);
}

TDrawObject* frontSelected(const DrawSite& site, const TDrawObject* except) {
    const std::vector<TDrawObject*>& backToFront = site.drawObjects();
    for (auto it = backToFront.rbegin(); it != backToFront.rend(); ++it)
        if ((*it)->isSelected() && *it != except) return *it;
    return nullptr;
}

}  // namespace poremi
