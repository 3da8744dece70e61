#pragma once
// The pixel effects of the persistent picture filters: which effector a filter's values ask
// for, and the installation that makes the filters run them.

#include "render/effects/effector.h"

#include <memory>

namespace poremi {

class TGREFilter;

// The effector for the filter's current values, or none when they are neutral:
// BlurCount > 0 a blur of that many passes, < 0 an unsharp mask of that strength (both at most
// maxBlurPasses); Brightness or Contrast ≠ 0 brightness and contrast; RefColor other than
// "no colour" a tone of that colour.
std::unique_ptr<TGREffector> createEffector(const TGREFilter& filter);

// Lets every effect filter apply its effector from now on (called once at start-up).
void installImageEffects();

}  // namespace poremi
