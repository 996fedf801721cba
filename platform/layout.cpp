// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/layout.h"

#include "platform/fonts.h"

#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QtDebug>

namespace lumo {

namespace {

// The desktop system colours that the layout data names by number.
QColor systemColour(int number) {
    const QPalette palette = QApplication::palette();
    switch (number) {
    case 1: // desktop background
        return QColor(58, 110, 165);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 14: // text of highlighted items
        return palette.color(QPalette::HighlightedText);
    default:
        return palette.color(QPalette::Window);
    }
}

QColor colourOf(const QJsonValue &value) {
    if (value.isArray()) {
        const QJsonArray rgb = value.toArray();
        return QColor(rgb.at(0).toInt(), rgb.at(1).toInt(), rgb.at(2).toInt());
    }
    return systemColour(value.toObject().value(QStringLiteral("system")).toInt());
}

QFont fontOf(const QJsonObject &entry) {
    QFont font = layoutFont(entry.value(QStringLiteral("family")).toString());
    font.setPixelSize(pointsToPixels(entry.value(QStringLiteral("points")).toDouble()));
    font.setBold(entry.value(QStringLiteral("bold")).toBool());
    return font;
}

void applyColours(QWidget *widget, const QJsonObject &entry, QPalette::ColorRole textRole,
                  QPalette::ColorRole backRole) {
    QPalette palette = widget->palette();
    if (entry.contains(QStringLiteral("fore"))) {
        const QColor fore = colourOf(entry.value(QStringLiteral("fore")));
        palette.setColor(textRole, fore);
        // A disabled control shows its text greyed, so a child sees it cannot be used.
        palette.setColor(QPalette::Disabled, textRole, QColor(128, 128, 128));
    }
    if (entry.contains(QStringLiteral("back"))) {
        palette.setColor(backRole, colourOf(entry.value(QStringLiteral("back"))));
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

QWidget *createControl(const QString &kind, QWidget *parent, const QJsonObject &entry, int index) {
    const QString caption = entry.value(QStringLiteral("caption"))
                                .toString()
                                .replace(QStringLiteral("{index}"), QString::number(index));
    if (kind == QLatin1String("label")) {
        auto *label = new Label(parent);
        applyColours(label, entry, QPalette::WindowText, QPalette::Window);
        if (entry.contains(QStringLiteral("font")))
            label->setDesignFont(fontOf(entry.value(QStringLiteral("font")).toObject()));
        else
            label->setDesignFont(label->font());
        if (entry.value(QStringLiteral("border")).toBool())
            label->setFrameShape(QFrame::Box);
        label->setCaption(caption);
        return label;
    }
    if (kind == QLatin1String("picture")) {
        auto *picture = new Picture(parent);
        const QString file = entry.value(QStringLiteral("picture")).toString();
        if (!file.isEmpty())
            picture->setArtwork(builtInArtwork(file));
        // A mouse pointer of its own while over the picture, with its hot spot.
        const QJsonObject pointer = entry.value(QStringLiteral("pointer")).toObject();
        if (!pointer.isEmpty())
            picture->setPointer(builtInArtwork(pointer.value(QStringLiteral("picture")).toString()),
                                QPoint(pointer.value(QStringLiteral("x")).toInt(),
                                       pointer.value(QStringLiteral("y")).toInt()));
        return picture;
    }
    if (kind == QLatin1String("button")) {
        auto *button = new Button(parent);
        applyColours(button, entry, QPalette::ButtonText, QPalette::Button);
        button->setDesignFont(entry.contains(QStringLiteral("font"))
                                  ? fontOf(entry.value(QStringLiteral("font")).toObject())
                                  : button->font());
        button->setText(caption);
        button->setAccessibleName(caption);
        const QString file = entry.value(QStringLiteral("picture")).toString();
        if (!file.isEmpty())
            button->setArtwork(builtInArtwork(file));
        return button;
    }
    if (kind == QLatin1String("frame")) {
        auto *frame = new Frame(parent);
        frame->setTitle(caption);
        applyColours(frame, entry, QPalette::WindowText, QPalette::Window);
        return frame;
    }
    qFatal("Unknown control kind in the layout data: %s", qPrintable(kind));
}

void setUpWindow(QWidget *window, const QJsonObject &entry) {
    window->setObjectName(entry.value(QStringLiteral("name")).toString());
    window->setWindowTitle(entry.value(QStringLiteral("title")).toString());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colourOf(entry.value(QStringLiteral("back"))));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    const QString icon = entry.value(QStringLiteral("icon")).toString();
    if (!icon.isEmpty())
        window->setWindowIcon(artworkIcon(builtInArtwork(icon)));
}

} // namespace

QJsonObject readLayout(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Cannot open the layout data %s", qPrintable(path));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("Broken layout data %s: %s", qPrintable(path), qPrintable(error.errorString()));
    return document.object();
}

QString elementName(const QString &name, int index) {
    return name + QLatin1Char('_') + QString::number(index);
}

QWidget *ControlSet::find(const QString &name, int index) const {
    return widgets_.value(elementName(name, index));
}

void ControlSet::focusFirstInTabOrder() const {
    for (const QString &name : tabOrder_) {
        QWidget *widget = find(name);
        if (widget && widget->isEnabled() && !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QSize designSize(const QJsonObject &layout) {
    const QJsonObject window = layout.value(QStringLiteral("window")).toObject();
    return {twipsToPixels(window.value(QStringLiteral("width")).toInt()),
            twipsToPixels(window.value(QStringLiteral("height")).toInt())};
}

ControlSet buildControls(QWidget *window, QWidget *stage, const QJsonObject &layout, double scale) {
    setUpWindow(window, layout.value(QStringLiteral("window")).toObject());

    ControlSet set = listControls(layout);
    QList<std::pair<QWidget *, bool>> shown;
    for (const QJsonValue &value : layout.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const QString kind = entry.value(QStringLiteral("kind")).toString();
        if (kind == QLatin1String("timer")) {
            auto *timer = new QTimer(window);
            timer->setObjectName(name);
            timer->setTimerType(Qt::PreciseTimer);
            timer->setInterval(entry.value(QStringLiteral("interval")).toInt());
            set.timers_.insert(name, timer);
            continue;
        }

        const QString container = entry.value(QStringLiteral("in")).toString();
        QWidget *parent = container.isEmpty() ? stage : set.widgets_.value(container);
        if (!parent)
            qFatal("Layout data: %s is placed in %s, which comes later or not at all",
                   qPrintable(name), qPrintable(container));

        // A control array gives its first element's place and the step between elements.
        const bool isArray = entry.contains(QStringLiteral("count"));
        const int count = isArray ? entry.value(QStringLiteral("count")).toInt() : 1;
        for (int index = 0; index < count; ++index) {
            QWidget *widget = createControl(kind, parent, entry, index);
            const QString objectName = isArray ? elementName(name, index) : name;
            widget->setObjectName(objectName);
            const int left = entry.value(QStringLiteral("left")).toInt() +
                             index * entry.value(QStringLiteral("leftStep")).toInt();
            const int top = entry.value(QStringLiteral("top")).toInt() +
                            index * entry.value(QStringLiteral("topStep")).toInt();
            set.placed_.append(
                {widget, QRect(left, top, entry.value(QStringLiteral("width")).toInt(),
                               entry.value(QStringLiteral("height")).toInt())});
            // Shown or hidden once placed: a control shown before it has its
            // size would first be sized to fit its text, for nothing.
            shown.append({widget, entry.value(QStringLiteral("visible")).toBool(true)});
            widget->setEnabled(entry.value(QStringLiteral("enabled")).toBool(true));
            if (entry.contains(QStringLiteral("speech")))
                widget->setAccessibleName(
                    entry.value(QStringLiteral("speech"))
                        .toString()
                        .replace(QStringLiteral("{index}"), QString::number(index))
                        .replace(QStringLiteral("{number}"), QString::number(index + 1)));
            if (auto *label = qobject_cast<Label *>(widget);
                label && !label->accessibleName().isEmpty())
                label->setAccessibleDescription(label->text());
            set.widgets_.insert(objectName, widget);
        }
    }

    for (const QJsonValue &value : layout.value(QStringLiteral("tabOrder")).toArray())
        set.tabOrder_.append(value.toString());
    for (qsizetype i = 1; i < set.tabOrder_.size(); ++i)
        QWidget::setTabOrder(set.find(set.tabOrder_.at(i - 1)), set.find(set.tabOrder_.at(i)));
    set.scaleTo(scale);
    for (const auto &[widget, visible] : std::as_const(shown))
        widget->setHidden(!visible);
    return set;
}

void ControlSet::scaleTo(double scale) {
    for (const Placed &placed : std::as_const(placed_)) {
        QWidget *widget = placed.widget;
        const QRect rect = twipsToPixels(placed.twips, scale);
        if (auto *label = qobject_cast<Label *>(widget))
            label->setScale(scale);
        else if (auto *button = qobject_cast<Button *>(widget))
            button->setScale(scale);
        else if (auto *frame = qobject_cast<Frame *>(widget))
            frame->setScale(scale);
        if (auto *picture = qobject_cast<Picture *>(widget)) {
            // A picture takes the size of the picture it shows, scaled;
            // an empty one keeps the place the layout gives it.
            picture->setScale(scale);
            picture->move(rect.topLeft());
            if (picture->isEmpty())
                picture->resize(rect.size());
        } else {
            widget->setGeometry(rect);
        }
    }
}

ControlSet listControls(const QJsonObject &layout) {
    ControlSet set;
    for (const QJsonValue &value : layout.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const QString kind = entry.value(QStringLiteral("kind")).toString();
        set.names_.append(name);
        if (!entry.contains(QStringLiteral("count"))) {
            set.kinds_.insert(name, kind);
            continue;
        }
        for (int index = 0; index < entry.value(QStringLiteral("count")).toInt(); ++index)
            set.kinds_.insert(elementName(name, index), kind);
    }
    return set;
}

template <class T>
void ControlBinder::bindWidget(T *&control, const QString &name, int index, QLatin1String kind) {
    const QString objectName = index < 0 ? name : elementName(name, index);
    const QString found = set_.kind(objectName);
    if (found.isEmpty())
        missing_.append(objectName);
    else if (found != kind)
        missing_.append(QStringLiteral("%1 (a %2, not a %3)").arg(objectName, found, kind));
    control = qobject_cast<T *>(set_.find(objectName));
}

void ControlBinder::bind(Label *&control, const QString &name, int index) {
    bindWidget(control, name, index, QLatin1String("label"));
}
void ControlBinder::bind(Picture *&control, const QString &name, int index) {
    bindWidget(control, name, index, QLatin1String("picture"));
}
void ControlBinder::bind(Button *&control, const QString &name, int index) {
    bindWidget(control, name, index, QLatin1String("button"));
}
void ControlBinder::bind(Frame *&control, const QString &name, int index) {
    bindWidget(control, name, index, QLatin1String("frame"));
}

void ControlBinder::operator()(QTimer *&timer, const QString &name) {
    const QString found = set_.kind(name);
    if (found != QLatin1String("timer"))
        missing_.append(
            found.isEmpty() ? name : QStringLiteral("%1 (a %2, not a timer)").arg(name, found));
    timer = set_.timer(name);
}

} // namespace lumo
