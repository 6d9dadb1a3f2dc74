#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

// Keeps a widget's accessible description in step with what it shows,
// looking twice a second: a screen reader hears of a change at most that
// often, however fast the picture moves.
class LiveDescription : public QObject {
    Q_OBJECT

public:
    static constexpr int IntervalMs = 500;

    LiveDescription(QWidget &target, std::function<QString()> describe, QObject *parent = nullptr);

    // Sets the description now if it changed.
    void refresh();

private:
    QWidget &m_target;
    std::function<QString()> m_describe;
    QTimer m_timer;
};
