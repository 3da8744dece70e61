#include "render/text/outline_walk.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <exception>

namespace poremi {
namespace {

struct Walk {
    OutlineReceiver& receiver;
    std::exception_ptr failure;
};

QPointF point(const FT_Vector* v) { return QPointF(v->x, v->y); }

// Runs one step; an exception is kept for later and a non-zero result makes FreeType stop.
template <class Step>
int guarded(void* user, Step step) noexcept {
    auto* walk = static_cast<Walk*>(user);
    try {
        step(walk->receiver);
        return 0;
    } catch (...) {
        walk->failure = std::current_exception();
        return 1;
    }
}

int moveTo(const FT_Vector* to, void* user) {
    return guarded(user, [&](OutlineReceiver& r) { r.moveTo(point(to)); });
}
int lineTo(const FT_Vector* to, void* user) {
    return guarded(user, [&](OutlineReceiver& r) { r.lineTo(point(to)); });
}
int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    return guarded(user, [&](OutlineReceiver& r) { r.quadTo(point(control), point(to)); });
}
int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    return guarded(user, [&](OutlineReceiver& r) { r.cubicTo(point(c1), point(c2), point(to)); });
}

}  // namespace

bool walkOutline(const FT_Outline_& outline, OutlineReceiver& receiver) {
    static const FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    Walk walk{receiver, nullptr};
    const FT_Error error = FT_Outline_Decompose(const_cast<FT_Outline*>(&outline), &funcs, &walk);
    if (walk.failure) std::rethrow_exception(walk.failure);
    return error == 0;
}

}  // namespace poremi
