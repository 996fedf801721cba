// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Random input drawn from one seeded generator: numbers, points on and
// around a window, weighted choices among actions, and names such as a
// child (or a child's older brother) might type.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <random>
#include <vector>

namespace lumo::test {

class RandomInput {
  public:
    explicit RandomInput(std::mt19937 &engine) : engine_(engine) {}

    /// A whole number from 0 to n - 1.
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

    /// A point inside the rectangle.
    QPoint pointIn(const QRect &r) {
        return {r.left() + below(std::max(1, r.width())), r.top() + below(std::max(1, r.height()))};
    }

    /// Mostly a point inside the rectangle, now and then one just outside it.
    QPoint pointNear(const QRect &r) {
        if (below(40) == 0)
            return pointIn(r.adjusted(-30, -30, 30, 30));
        return pointIn(r);
    }

    /// A name as typed at the prompt: Thai, Latin, markup, marks of
    /// writing direction, zero-width characters, emoji, or nothing at all.
    QString name() {
        static const QStringList pieces{
            QStringLiteral("ต้น"),
            QStringLiteral("น้ำฝน"),
            QStringLiteral("No Name"),
            QStringLiteral("Somchai"),
            QStringLiteral("<b>x</b>"),
            QStringLiteral("<img src=\"/etc/passwd\">"),
            QStringLiteral("<script>alert(1)</script>"),
            QStringLiteral("&amp;"),
            QStringLiteral("<font size=7>"),
            QStringLiteral("%1"),
            QStringLiteral("%n"),
            QStringLiteral(" "),
            QStringLiteral("   "),
            QStringLiteral("\u200B"),
            QStringLiteral("\u200F"),
            QStringLiteral("\u202E"),
            QStringLiteral("\u0E31\u0E49\u0E47"), // Thai marks with no letter to sit on
            QStringLiteral("กิ่ง"),
            QStringLiteral("😀"),
            QStringLiteral("👩‍👩‍👧"),
            QStringLiteral("🇹🇭"),
            QStringLiteral("\\"),
            QStringLiteral("\""),
            QStringLiteral("'"),
            QStringLiteral("\t"),
        };
        QString name;
        const int count = below(7);
        for (int i = 0; i < count; ++i) {
            if (below(4) == 0) {
                // A character from the Thai block, from Latin, or a combining mark.
                static const char16_t ranges[][2] = {
                    {0x0E01, 0x0E5B}, {0x0020, 0x007E}, {0x0300, 0x036F}};
                const auto &range = ranges[below(3)];
                name += QChar(char16_t(range[0] + below(range[1] - range[0] + 1)));
            } else {
                name += pieces.at(below(int(pieces.size())));
            }
        }
        // Now and then a name far longer than any label can hold.
        if (below(100) == 0)
            name = name.repeated(1 + below(400));
        return name;
    }

    /// A weighted choice among actions: run() calls one of them.
    class Weights {
      public:
        void add(double weight, std::function<void()> action) {
            total_ += weight;
            entries_.push_back({total_, std::move(action)});
        }
        void run(RandomInput &input) {
            const double r = std::uniform_real_distribution<double>(0.0, total_)(input.engine_);
            for (const Entry &entry : entries_)
                if (r < entry.upTo) {
                    entry.action();
                    return;
                }
            entries_.back().action();
        }

      private:
        struct Entry {
            double upTo;
            std::function<void()> action;
        };
        std::vector<Entry> entries_;
        double total_ = 0;
    };

  private:
    std::mt19937 &engine_;
};

} // namespace lumo::test
