#pragma once

#include "runtime/Colour.h"

#include <QBrush>
#include <QPixmap>
#include <cstdint>
#include <optional>

namespace rt {

// Brushes live in a table under handles, so every creation and deletion can be counted. A
// handle is never reused; 0 is no brush.
using BrushHandle = std::intptr_t;

BrushHandle createSolidBrush(Colour colour);
// A brush that tiles the picture from the painted window's corner; 0 for an empty picture.
BrushHandle createPatternBrush(const QPixmap& picture);
// Frees a brush; false (and nothing done) for a handle that is not a live brush.
bool deleteBrush(BrushHandle brush);

// The brush behind a handle; none for a handle that is not a live brush.
std::optional<QBrush> brushOf(BrushHandle brush);
// How many brushes exist now.
int brushCount();

} // namespace rt
