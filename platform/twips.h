// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <QtMath>

// Screen geometry is kept in twips, as the layout data gives it; this is the
// one place where twips and points become pixels (96 dots per inch at the
// layout's design size), and so where the layout is scaled: at scale s every
// length is s times its design length.
namespace lumo {

constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips, double scale = 1.0) {
    return qRound(twips * scale / twipsPerPixel);
}

inline QRect twipsToPixels(const QRect &twips, double scale) {
    return {twipsToPixels(twips.left(), scale), twipsToPixels(twips.top(), scale),
            twipsToPixels(twips.width(), scale), twipsToPixels(twips.height(), scale)};
}

constexpr int pointsToPixels(double points) {
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);
}

/// A length in pixels at the design size, at scale s; never below 1.
inline int scaled(int pixels, double scale) {
    return qMax(1, qRound(pixels * scale));
}

inline QSize scaled(const QSize &pixels, double scale) {
    return {scaled(pixels.width(), scale), scaled(pixels.height(), scale)};
}

} // namespace lumo
