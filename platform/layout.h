// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

class QObject;
class QTimer;
class QWidget;

namespace lumo {

class Label;
class Picture;
class Button;
class Frame;

/// The controls of one opening of a screen, built from its layout data and
/// found by name ("LB1") or by array name and element index ("LB", 3). A set
/// made by listControls() knows the names and kinds only, and no widget.
class ControlSet {
  public:
    QWidget *find(const QString &name) const { return widgets_.value(name); }
    QWidget *find(const QString &name, int index) const;
    QTimer *timer(const QString &name) const { return timers_.value(name); }

    /// The kind the layout data gives a control or array element
    /// ("label", "picture", "button", "frame", "timer"); empty if none.
    QString kind(const QString &objectName) const { return kinds_.value(objectName); }

    /// Names of the controls in the order the layout lists them.
    const QStringList &names() const { return names_; }
    /// The controls that the keyboard reaches, in tab order.
    const QStringList &tabOrder() const { return tabOrder_; }

    /// Gives the keyboard focus to the first enabled control in tab order.
    void focusFirstInTabOrder() const;

    /// Places and sizes every control at `scale` times its design size:
    /// geometry, fonts, pictures and borders alike.
    void scaleTo(double scale);

  private:
    friend ControlSet buildControls(QWidget *window, QWidget *stage, const QJsonObject &layout,
                                    double scale);
    friend ControlSet listControls(const QJsonObject &layout);
    QHash<QString, QWidget *> widgets_;
    QHash<QString, QTimer *> timers_;
    QHash<QString, QString> kinds_;
    QStringList names_;
    QStringList tabOrder_;
    // Each control with its place and size in twips within its container.
    struct Placed {
        QWidget *widget;
        QRect twips;
    };
    QList<Placed> placed_;
};

/// Reads a screen's layout data (JSON, geometry in twips); broken or
/// missing data stops the program with a message naming the file.
QJsonObject readLayout(const QString &path);

/// Sets `window` up as the layout's window (title, colours, icon) and creates
/// every control of the layout on `stage`, the area of the window that the
/// layout's geometry is measured in. Array elements are named "LB_3", and
/// each control's object name is its name. The controls are laid out at
/// `scale` times their design size.
ControlSet buildControls(QWidget *window, QWidget *stage, const QJsonObject &layout,
                         double scale = 1.0);

/// The size in pixels that the layout's controls reach to at its design scale.
QSize designSize(const QJsonObject &layout);

/// The names and kinds of a layout's controls, without creating any.
ControlSet listControls(const QJsonObject &layout);

/// The Qt object name of element `index` of the control array `name`.
QString elementName(const QString &name, int index);

/// Looks a screen's controls up by name and kind, and notes every one that
/// is missing or of another kind. On a set from listControls() it checks
/// the names and kinds and leaves every pointer null.
class ControlBinder {
  public:
    explicit ControlBinder(const ControlSet &set) : set_(set) {}

    void operator()(Label *&control, const QString &name) { bind(control, name, -1); }
    void operator()(Picture *&control, const QString &name) { bind(control, name, -1); }
    void operator()(Button *&control, const QString &name) { bind(control, name, -1); }
    void operator()(Frame *&control, const QString &name) { bind(control, name, -1); }
    void operator()(QTimer *&timer, const QString &name);

    template <class T, std::size_t N>
    void operator()(std::array<T *, N> &array, const QString &name) {
        for (std::size_t i = 0; i < N; ++i)
            bind(array[i], name, int(i));
    }

    /// What the screen asked for and the layout lacks, as "LB7" or
    /// "Im1_14", with the kind found where it was the wrong one.
    const QStringList &missing() const { return missing_; }

  private:
    void bind(Label *&control, const QString &name, int index);
    void bind(Picture *&control, const QString &name, int index);
    void bind(Button *&control, const QString &name, int index);
    void bind(Frame *&control, const QString &name, int index);
    template <class T>
    void bindWidget(T *&control, const QString &name, int index, QLatin1String kind);

    const ControlSet &set_;
    QStringList missing_;
};

} // namespace lumo
