#pragma once

// Screen geometry is kept in twips, as the layout data gives it; this is the
// one place where twips and points become pixels (96 dots per inch).
namespace lumo {

constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }

constexpr int pointsToPixels(double points) { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }

} // namespace lumo
