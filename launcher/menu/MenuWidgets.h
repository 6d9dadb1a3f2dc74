#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

// The window's client area: its colour with its picture at the top-left
// corner, at the picture's own size; reports the pointer over bare background.
class Backdrop : public QWidget {
    Q_OBJECT

public:
    explicit Backdrop(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);

signals:
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
};

// A label that reacts to the pointer passing over it and to clicks.
class ActiveLabel : public QLabel {
    Q_OBJECT

public:
    explicit ActiveLabel(QWidget *parent = nullptr);

    void setFramed(bool framed);
    bool isFramed() const { return frameShape() != QFrame::NoFrame; }

signals:
    void pointerMoved();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
