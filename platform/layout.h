#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QTimer;
class QWidget;

namespace lumo {

class Label;
class Picture;
class Button;
class Frame;

/// The controls of one opening of a screen, built from its layout data and
/// found by name ("LB1") or by array name and element index ("LB", 3).
class ControlSet {
public:
    QWidget *find(const QString &name) const { return widgets_.value(name); }
    QWidget *find(const QString &name, int index) const;
    QTimer *timer(const QString &name) const { return timers_.value(name); }

    Label *label(const QString &name) const;
    Label *label(const QString &name, int index) const;
    Picture *picture(const QString &name) const;
    Picture *picture(const QString &name, int index) const;
    Button *button(const QString &name) const;
    Frame *frame(const QString &name) const;

    /// Names of the controls in the order the layout lists them.
    const QStringList &names() const { return names_; }
    /// Buttons in tab order.
    const QStringList &tabOrder() const { return tabOrder_; }

    /// Gives the keyboard focus to the first enabled control in tab order.
    void focusFirstInTabOrder() const;

private:
    friend ControlSet buildControls(QWidget *window, const QString &layoutPath);
    QHash<QString, QWidget *> widgets_;
    QHash<QString, QTimer *> timers_;
    QStringList names_;
    QStringList tabOrder_;
};

/// Reads a screen's layout data (JSON, geometry in twips) and creates its
/// window settings and every control on `window`. Array elements are named
/// "LB_3", and each control's object name is its name.
ControlSet buildControls(QWidget *window, const QString &layoutPath);

/// The Qt object name of element `index` of the control array `name`.
QString elementName(const QString &name, int index);

} // namespace lumo
