// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's controls on their own: a label's font fitted to its
// caption, and a drag that ends well whatever happens while it is held.
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/drag.h"

#include <QWindow>

#include <QtTest>
#include <algorithm>
#include <cstdlib>

using namespace lumo;

// Qt's own entry for mouse input from the window system, with both places
// given: a window system that does not know where the window is (Wayland)
// reports the pointer's place on the screen as its place in the window.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow *window, const QPointF &local, const QPointF &global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);

namespace {

/// A window with one tile to drag and one slot to drop it on.
struct DragBench {
    QWidget window;
    Label *tile = new Label(&window);
    Label *slot = new Label(&window);
    ManualDrag *drag = new ManualDrag(&window);
    int drops = 0;

    DragBench() {
        window.resize(400, 300);
        tile->setGeometry(20, 20, 40, 50);
        slot->setGeometry(300, 200, 40, 50);
        drag->addSource(tile);
        drag->addTarget(slot, [this] { ++drops; });
        QObject::connect(tile, &Label::pressed, [this] { drag->begin(tile); });
        QObject::connect(tile, &Label::released, [this] { drag->end(); });
    }

    /// Mouse input at a place in the window, reported on the screen as the
    /// same place (`screenKnown` false) or as where the window really is.
    void mouse(QEvent::Type type, QPoint at, bool screenKnown = true) {
        const QPoint global = screenKnown ? window.mapToGlobal(at) : at;
        const bool down = type != QEvent::MouseButtonRelease;
        qt_handleMouseEvent(window.windowHandle(), at, global, down ? Qt::LeftButton : Qt::NoButton,
                            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, type, {},
                            ++time);
        QCoreApplication::processEvents();
    }
    QWidget *outline() const { return window.findChild<QWidget *>(QStringLiteral("dragOutline")); }
    int time = 0;
};

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void aCaptionThatDoesNotFitIsDrawnSmallerButNeverLargerThanItsLayoutAsks_data() {
        QTest::addColumn<int>("designPixels");
        QTest::newRow("6 px, smaller than can be made smaller") << 6;
        QTest::newRow("8 px") << 8;
        QTest::newRow("9 px") << 9;
        QTest::newRow("10 px") << 10;
        QTest::newRow("11 px") << 11;
        QTest::newRow("37 px, as the tiles") << 37;
    }

    void aCaptionThatDoesNotFitIsDrawnSmallerButNeverLargerThanItsLayoutAsks() {
        QFETCH(int, designPixels);
        Label label;
        label.resize(60, 16);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(designPixels);
        label.setDesignFont(font);
        label.setCaption(QStringLiteral("คำตอบที่ถูก คือ 7 + 12 ครับ และผลรวมเท่ากับ 19 ครับ"));
        QVERIFY(label.font().pixelSize() <= designPixels);
        QVERIFY(label.font().pixelSize() >= std::min(9, designPixels));

        // A caption that fits keeps the layout's size.
        label.resize(200, 100);
        label.setCaption(QStringLiteral("7"));
        QCOMPARE(label.font().pixelSize(), designPixels);
    }

    // A caption as large as on a 4K screen is drawn once and kept: what the
    // label shows is what QLabel itself draws, and anew after each change.
    void aLargeCaptionIsKeptDrawnUntilWhatItShowsChanges_data() {
        QTest::addColumn<QString>("change");
        for (const char *change : {"caption", "size", "colour", "enabled", "frame", "font"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }

    void aLargeCaptionIsKeptDrawnUntilWhatItShowsChanges() {
        QFETCH(QString, change);
        QWidget window;
        window.resize(900, 300);
        auto *label = new Label(&window);
        auto *plain = new QLabel(&window);
        label->setGeometry(0, 0, 420, 240);
        plain->setGeometry(450, 0, 420, 240);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(90);
        label->setDesignFont(font);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setCaption(QStringLiteral("ทำถูก 12"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Drawn twice: a caption is kept from its second showing on.
        const auto shown = [](QWidget *widget) {
            widget->grab();
            return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        // The share of pixels that differ clearly.
        const auto difference = [](const QImage &a, const QImage &b) {
            if (a.size() != b.size())
                return 1.0;
            qsizetype differing = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x) {
                    const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                    differing +=
                        std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q))}) > 64;
                }
            return double(differing) / (a.width() * a.height());
        };
        const QImage before = shown(label);
        if (change == QLatin1String("caption")) {
            label->setCaption(QStringLiteral("ทำผิด 13"));
        } else if (change == QLatin1String("size")) {
            label->resize(400, 240);
        } else if (change == QLatin1String("colour")) {
            QPalette red = label->palette();
            red.setColor(QPalette::WindowText, Qt::red);
            label->setPalette(red);
        } else if (change == QLatin1String("enabled")) {
            label->setEnabled(false);
        } else if (change == QLatin1String("frame")) {
            label->setFrameStyle(QFrame::NoFrame);
        } else {
            font.setBold(true);
            label->setDesignFont(font);
        }
        plain->resize(label->size());
        plain->setFont(label->font());
        plain->setPalette(label->palette());
        plain->setEnabled(label->isEnabled());
        plain->setFrameStyle(label->frameStyle());
        plain->setLineWidth(label->lineWidth());
        plain->setAlignment(label->alignment());
        plain->setWordWrap(label->wordWrap());
        plain->setText(label->text());
        const QImage after = shown(label);
        QVERIFY2(difference(before, after) > 0.005, "the label still shows what it showed before");
        QVERIFY2(difference(after, shown(plain)) < 0.005,
                 "the label shows other than QLabel draws");
    }

    void aTileDisabledWhileHeldEndsItsDragAtTheReleaseWithoutADrop() {
        DragBench bench;
        bench.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bench.window));
        bench.mouse(QEvent::MouseButtonPress, {40, 45});
        bench.mouse(QEvent::MouseMove, {320, 225});
        QVERIFY(bench.outline()->isVisible());

        // Say, the check pressed from the keyboard while the button is held.
        bench.tile->setEnabled(false);
        bench.mouse(QEvent::MouseButtonRelease, {320, 225});
        QVERIFY(!bench.drag->active());
        QVERIFY(bench.outline()->isHidden());
        QCOMPARE(bench.drops, 0);

        // The next drag of an enabled tile works as ever.
        bench.tile->setEnabled(true);
        bench.mouse(QEvent::MouseButtonPress, {40, 45});
        bench.mouse(QEvent::MouseMove, {320, 225});
        bench.mouse(QEvent::MouseButtonRelease, {320, 225});
        QCOMPARE(bench.drops, 1);
        QVERIFY(bench.outline()->isHidden());
    }

    void theDropIsFoundInTheWindowsOwnCoordinates_data() {
        QTest::addColumn<bool>("screenKnown");
        QTest::newRow("the window's place on the screen known") << true;
        QTest::newRow("not known, as on Wayland") << false;
    }

    void theDropIsFoundInTheWindowsOwnCoordinates() {
        QFETCH(bool, screenKnown);
        DragBench bench;
        bench.window.move(500, 400);
        bench.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bench.window));
        bench.mouse(QEvent::MouseButtonPress, {40, 45}, screenKnown);
        bench.mouse(QEvent::MouseMove, {322, 230}, screenKnown);
        QCOMPARE(bench.outline()->geometry().topLeft(), QPoint(302, 205));
        bench.mouse(QEvent::MouseButtonRelease, {322, 230}, screenKnown);
        QCOMPARE(bench.drops, 1);

        // Released beside the slot: no drop.
        bench.mouse(QEvent::MouseButtonPress, {40, 45}, screenKnown);
        bench.mouse(QEvent::MouseButtonRelease, {250, 230}, screenKnown);
        QCOMPARE(bench.drops, 1);
    }
};

QTEST_MAIN(ControlsTest)
#include "test_controls.moc"
