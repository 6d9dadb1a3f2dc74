#pragma once

#include "launcher/menu/MenuWidgets.h"
#include "launcher/menu/ModelStarter.h"
#include "launcher/animation/ParticleBox.h"
#include "common/widgets/PictureBox.h"
#include "common/core/ScreenScale.h"

#include <QFrame>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <array>

// The launcher's menu window: the entry to the model, the two picture
// panels, minimise and exit, and the box of particles in its corner.
class Models : public QMainWindow {
    Q_OBJECT

public:
    Models(const ScreenScale &scale, Random &random, QWidget *parent = nullptr);

    static const QString Caption;

    void setModelStarter(ProgramStarter starter) { m_starter = std::move(starter); }
    void setModelProgram(const QString &program) { m_modelProgram = program; }

    void Obre_Model();
    void Desmarca_Etiquetes();
    void Esborra_Calibratge();
    // Deletes the calibration file and closes the window, once.
    void leaveSuite();

    Backdrop *client;
    PictureBox *Caja;
    ParticleBox boles;
    QTimer tmrRellotge;
    std::array<QLabel *, 5> lblTitol{};
    ActiveLabel *lblSubtitol;
    ActiveLabel *lblFi;
    QFrame *shpEstats, *shpUlvaro, *shpReac, *shpMenu;
    QWidget *picMenu;
    QLabel *picSobre, *picRecom;
    QPushButton *cmdSobre, *cmdRecom;

    QMenu *mnuOpcions;
    QAction *OpcionsMinim, *OpcionsSortir, *ModelP, *FinRecom, *mnuAutor;

    float AmpladaCaja = 0;
    float AlturaCaja = 0;

signals:
    // The user left the suite; the program ends now.
    void suiteLeft();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void load();
    void placePanels();
    void placeHiddenMenu();
    void placeTexts();
    void setUpParticleBox();
    void Escala_Controls();
    void Crea_Boles_Fons();
    void showPanel(QLabel *picture, QPushButton *button);
    QList<QWidget *> panels() const;
    void framedSubtitle();
    void framedExit();
    void tick();

    ScreenScale m_scale;
    ProgramStarter m_starter = startDetachedProgram;
    QString m_modelProgram = modelProgramPath();
    bool m_leaving = false;
};
