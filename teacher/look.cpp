// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/look.h"

#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QPalette>
#include <QScreen>
#include <QTableView>
#include <QWidget>

#include <cmath>

namespace lumo::teacher {

int teacherFontPixels(QSize available, double logicalDpi) {
    constexpr int atDesktopSize = 15;
    // A desktop set to larger text reports more dots per inch.
    const double desktop = atDesktopSize * std::max(1.0, logicalDpi / 96.0);
    // About 50 lines of text from top to bottom of the screen.
    const double bySize = available.height() / 54.0;
    return int(std::lround(std::clamp(std::max(desktop, bySize), 13.0, 40.0)));
}

int teacherFontPixels(const QScreen *screen) {
    return screen
               ? teacherFontPixels(screen->availableGeometry().size(), screen->logicalDotsPerInch())
               : teacherFontPixels(QSize(), 96);
}

void applyTeacherLook(QWidget *window, const QScreen *screen) {
    QPalette palette = window->palette();
    const QColor lightBlue(192, 192, 255);
    const QColor darkBlue(0, 0, 64);
    palette.setColor(QPalette::Window, lightBlue);
    palette.setColor(QPalette::WindowText, darkBlue);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(232, 232, 255));
    palette.setColor(QPalette::Text, darkBlue);
    palette.setColor(QPalette::Button, QColor(224, 224, 255));
    palette.setColor(QPalette::ButtonText, darkBlue);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 224));
    palette.setColor(QPalette::ToolTipText, darkBlue);
    // A button that cannot be pressed must look it.
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 160));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 160));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 160));
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    window->setPalette(palette);

    // "Tahoma" is mapped to a Thai family by the platform's font set-up.
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(teacherFontPixels(screen));
    window->setFont(font);
    // Styles give table headers a smaller font of their own.
    for (QHeaderView *header : window->findChildren<QHeaderView *>()) {
        header->setFont(font);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QSize openingSize(QSize available, int fontPixels) {
    // Wide enough for the games' eleven columns, tall enough for a child's
    // figures and a chart.
    const QSize wanted(fontPixels * 78, fontPixels * 50);
    if (available.isEmpty())
        return wanted;
    // The window manager's frame and title are not in the size given.
    const QSize room = available - QSize(16, 48);
    return wanted.boundedTo(room);
}

QSize openingSize(const QScreen *screen, int fontPixels) {
    return openingSize(screen ? screen->availableGeometry().size() : QSize(), fontPixels);
}

namespace {

class ColumnSharer : public QObject {
  public:
    ColumnSharer(QTableView *table, QList<int> least)
        : QObject(table), table_(table), least_(std::move(least)) {
        table->viewport()->installEventFilter(this);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        table->horizontalHeader()->setStretchLastSection(false);
        share();
    }

    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange ||
            event->type() == QEvent::Show)
            share();
        return false;
    }

  private:
    void share() {
        const int unit = std::max(1, table_->fontMetrics().averageCharWidth());
        int sum = 0;
        for (int chars : least_)
            sum += chars * unit;
        const int width = table_->viewport()->width();
        const double stretch = sum > 0 && width > sum ? double(width) / sum : 1.0;
        int used = 0;
        for (int c = 0; c < least_.size(); ++c) {
            int w = int(least_[c] * unit * stretch);
            // The last takes what rounding left, so that no sliver remains.
            if (c == least_.size() - 1 && stretch > 1.0)
                w = std::max(least_[c] * unit, width - used);
            table_->setColumnWidth(c, w);
            used += w;
        }
    }

    QTableView *table_;
    QList<int> least_;
};

} // namespace

void shareColumnWidths(QTableView *table, const QList<int> &least) {
    new ColumnSharer(table, least);
}

} // namespace lumo::teacher
