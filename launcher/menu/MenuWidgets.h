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

// A label that reacts to the pointer passing over it and to clicks. Tab
// reaches it, Enter or Space click it, and its frame shows the focus too.
class ActiveLabel : public QLabel {
    Q_OBJECT

public:
    explicit ActiveLabel(QWidget *parent = nullptr);

    void setFramed(bool framed);
    bool isFramed() const { return frameShape() != QFrame::NoFrame; }
    // What a click does, for the keyboard and assistive technology.
    void press() { emit clicked(); }

signals:
    void pointerMoved();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_pressed = false;
};
