#pragma once

#include <QSlider>

namespace vexa::ui {

// A horizontal slider that reports every mouse release on it: after dragging
// the handle, after clicking the handle without moving it and after clicking
// the track. Exactly one `released` per mouse cycle whose press it accepted.
// A move by the keys (arrows, Page Up/Down, Home, End) or the wheel reports
// `stepped` instead. Its style is pinned to `style` so that a track click is
// always a page step.
class ReleaseSlider final : public QSlider {
    Q_OBJECT

public:
    ReleaseSlider(QStyle* style, QWidget* parent);

signals:
    void released();
    void stepped();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool armed_ = false;
};

} // namespace vexa::ui
