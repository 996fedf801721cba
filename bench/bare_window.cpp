// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the benchmarks: the least a Qt Widgets program can show,
// one window the size of the game's screens with one Thai label on it.
//
//   bare_window                 shows the window until it is closed
//   bare_window --second-window a click on the window opens a second bare
//                               window and closes the first, as the host's
//                               click opens the quiz screen
//   bare_window --peak-memory   prints its peak memory (kB) once the window
//                               has been painted, and ends
#include "memory.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <utility>

namespace {

// Client-area size of both of the game's screens.
constexpr QSize screenSize(801, 601);

class BareWindow : public QWidget {
  public:
    BareWindow(const QString &title, QColor back, const QString &text) {
        setWindowTitle(title);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, back);
        setPalette(palette);
        setAutoFillBackground(true);
        setFixedSize(screenSize);
        auto *label = new QLabel(text, this);
        label->setGeometry(120, 160, 561, 41);
        label->setAlignment(Qt::AlignCenter);
    }

    std::function<void()> onFirstPaint;
    std::function<void()> onClick;

  protected:
    void paintEvent(QPaintEvent *event) override {
        QWidget::paintEvent(event);
        if (onFirstPaint) {
            // Report once this paint has reached the screen.
            QTimer::singleShot(0, this, std::exchange(onFirstPaint, nullptr));
        }
    }
    void mousePressEvent(QMouseEvent *) override {
        if (onClick)
            onClick();
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();

    // The colours are what the benchmark looks for on the screen.
    BareWindow first(QStringLiteral("Bare"), QColor(192, 192, 255), QStringLiteral("ยินดีต้อนรับ"));
    BareWindow *second = nullptr;

    if (args.contains(QStringLiteral("--peak-memory"))) {
        first.onFirstPaint = [] {
            std::printf("%ld\n", lumo::bench::peakMemoryKb());
            std::fflush(stdout);
            QCoreApplication::quit();
        };
    }
    if (args.contains(QStringLiteral("--second-window"))) {
        first.onClick = [&] {
            second =
                new BareWindow(QStringLiteral("Bare2"), QColor(0, 0, 64), QStringLiteral("จับเวลา"));
            second->show();
            first.close();
        };
    }
    first.show();
    const int code = app.exec();
    delete second;
    return code;
}
