#include "platform/drag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace lumo {

namespace {

// The grey dotted rectangle that shows where a dragged tile would land.
class DragOutline : public QWidget {
public:
    explicit DragOutline(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setObjectName(QStringLiteral("dragOutline"));
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QPen pen(Qt::black, 2, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
        pen.setColor(Qt::white);
        pen.setDashOffset(4);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

} // namespace

ManualDrag::ManualDrag(QWidget *window) : QObject(window), window_(window), outline_(new DragOutline(window))
{
}

ManualDrag::~ManualDrag() = default;

void ManualDrag::addSource(QWidget *source) { source->installEventFilter(this); }

void ManualDrag::addTarget(QWidget *target, std::function<void()> onDrop)
{
    targets_.insert(target, std::move(onDrop));
}

void ManualDrag::begin(QWidget *source)
{
    // A drag that was never released (a second button went down) ends here,
    // so that every drag still ends in one drop.
    if (active())
        end();
    source_ = source;
    if (!source->rect().contains(grabOffset_))
        grabOffset_ = source->rect().center();
    outline_->resize(source->size());
    moveOutline(pointer_);
    outline_->raise();
    outline_->show();
}

bool ManualDrag::eventFilter(QObject *watched, QEvent *event)
{
    // Every watched source keeps the pointer's place up to date, so that a
    // drag begun from a press handler knows where the press was.
    if (watched->isWidgetType()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            pointer_ = mouse->globalPosition().toPoint();
            if (event->type() == QEvent::MouseButtonPress)
                grabOffset_ = mouse->position().toPoint();
            if (watched == source_)
                moveOutline(pointer_);
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ManualDrag::moveOutline(QPoint globalPos)
{
    outline_->move(window_->mapFromGlobal(globalPos) - grabOffset_);
}

void ManualDrag::end()
{
    if (!active())
        return;
    source_ = nullptr;
    outline_->hide();

    QWidget *under = QApplication::widgetAt(pointer_);
    if (!under || under->window() != window_)
        return;
    for (QWidget *widget = under; widget && widget != window_; widget = widget->parentWidget()) {
        const auto target = targets_.constFind(widget);
        if (target != targets_.cend()) {
            if (widget->isVisible())
                target.value()();
            return;
        }
    }
}

} // namespace lumo
