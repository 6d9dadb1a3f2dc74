#pragma once

#include <QPushButton>

// A push button whose caption wraps onto two lines when it is wider than the
// button, so "Ocultar resultats" fits the design's narrow button.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
