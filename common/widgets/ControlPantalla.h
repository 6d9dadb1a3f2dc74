#pragma once

#include "common/core/CircleSet.h"
#include "common/core/ScreenScale.h"

#include <QTimer>
#include <QWidget>

class QLabel;

// The start-up splash of both programs: two messages, shown only until the
// first tick of its timer measures the screen.
class ControlPantalla : public QWidget {
    Q_OBJECT

public:
    struct Look {
        Rgb labelBackground;
        bool italic;
    };

    explicit ControlPantalla(const Look &look, QWidget *parent = nullptr);

signals:
    void screenChecked(ScreenScale scale);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void tick();

    QLabel *Label1;
    QLabel *Label2;
    QTimer Timer1;
    bool m_painted = false;
};
