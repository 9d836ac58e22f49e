#include "ui/editors/ReleaseSlider.h"

#include <QMouseEvent>

namespace vexa::ui {

ReleaseSlider::ReleaseSlider(QStyle* style, QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    if (style)
        setStyle(style);
    setTickPosition(QSlider::TicksBothSides);
}

void ReleaseSlider::mousePressEvent(QMouseEvent* event) {
    QSlider::mousePressEvent(event);
    armed_ = armed_ || event->isAccepted();
}

void ReleaseSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (event->buttons() != Qt::NoButton || !armed_)
        return; // another button is still down: the cycle goes on
    armed_ = false;
    emit released();
}

} // namespace vexa::ui
