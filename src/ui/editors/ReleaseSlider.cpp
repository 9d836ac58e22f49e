#include "ui/editors/ReleaseSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

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

void ReleaseSlider::keyPressEvent(QKeyEvent* event) {
    const int before = value();
    QSlider::keyPressEvent(event);
    if (value() != before && !isSliderDown())
        emit stepped();
}

void ReleaseSlider::wheelEvent(QWheelEvent* event) {
    const int before = value();
    QSlider::wheelEvent(event);
    if (value() != before && !isSliderDown())
        emit stepped();
}

} // namespace vexa::ui
