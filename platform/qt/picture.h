// The picture control: a small drawn image of a controller's step response
// (setpoint step, actual value settling onto it), scaled to the control.
#pragma once

#include <QWidget>

namespace qtui {

class PictureWidget final : public QWidget {
    Q_OBJECT

  public:
    explicit PictureWidget(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qtui
