#pragma once
// The one test of whether a paint goes to print (objects left out of print are skipped there)
// and the PrintRendering scope live with the raster canvases, which share them.

#include "render/raster/memory_canvas.h"
