#pragma once

#include "launcher/animation/Measurement.h"

#include <QWidget>

class PictureBox;
class ProgressMarks;
class QLabel;
class QTimer;

class Random;

// The start-up measurement: invisible particles in growing numbers, a
// message and a row of marks; at the end the calibration file is written.
class Optim_Boles : public QWidget {
    Q_OBJECT

public:
    Optim_Boles(Random &random, Clock clock, QWidget *parent = nullptr);

    static const QString Message;
    static const QString Mark;
    static const QString UnwrittenMessage;

    // One tick of the clock: the measurement's step, and a mark when it grew.
    void tick();
    // Hidden for good once the menu window shows: the widget stays, its
    // screen-sized window and picture go.
    void putAway();

protected:
    void paintEvent(QPaintEvent *event) override;

signals:
    // The file is written (or could not be) and the timer is off.
    void measured(std::int16_t NombreFinal);

private:
    void buildControls();
    void load();
    void showMarks();
    void finish();
    void beginMeasuring();

    bool m_painted = false;

    PictureBox *Caja;
    ParticleBox m_boles;
    Measurement m_measurement;
    QLabel *lblOptim;
    ProgressMarks *lblPunts;
    QTimer *tmrRelloOptim;
};
