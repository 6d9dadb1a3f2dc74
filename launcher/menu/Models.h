#pragma once

#include "common/core/ScreenScale.h"
#include "launcher/session/Session.h"

#include <QMainWindow>
#include <array>

class ActiveLabel;
class Backdrop;
class InfoPanels;
class LabelHover;
class ParticleCorner;
class QFrame;
class QLabel;
class Random;

// The launcher's menu window: the entry to the model, the two picture
// panels, minimise and exit, and the box of particles in its corner.
class Models : public QMainWindow {
    Q_OBJECT

public:
    Models(const ScreenScale &scale, Random &random, QWidget *parent = nullptr);

    static const QString Caption;

    void setModelStarter(ProgramStarter starter) { m_session.setModelStarter(std::move(starter)); }

    void Obre_Model();
    // Deletes the calibration file and closes the window, once.
    void leaveSuite();

signals:
    // The user left the suite; the program ends now.
    void suiteLeft();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void load();
    void placeHiddenMenu();
    void placeTexts();
    void Escala_Controls();

    ScreenScale m_scale;
    Session m_session;

    Backdrop *m_client;
    ParticleCorner *m_corner;
    InfoPanels *m_panels;
    LabelHover *m_hover;
    std::array<QLabel *, 5> lblTitol{};
    ActiveLabel *lblSubtitol;
    ActiveLabel *lblFi;
    QFrame *shpEstats, *shpUlvaro, *shpReac, *shpMenu;
    QWidget *picMenu;
};
