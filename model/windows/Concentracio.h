#pragma once

#include "PictureBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

// The model's main window as it exists before any code runs: every control
// at its design place, and the whole menu tree. The subsystems act on these
// controls by name.
class Concentracio : public QMainWindow {
    Q_OBJECT

public:
    explicit Concentracio(QWidget *parent = nullptr);

    static const QString Caption;

    QWidget *client;
    PictureBox *Caja;
    QPushButton *cmdResultats;
    QLabel *picConcentracio;
    QLabel *lblPropietats;
    QTimer tmrRellotge;

    QGroupBox *frDades;
    QCheckBox *chkGsolut, *chkGdt, *chkVdso, *chkDens, *chkMsolut, *chkMdt;
    QLineEdit *txtGsolut, *txtGdt, *txtVdso, *txtDens, *txtMsolut, *txtMdt;

    QGroupBox *frResultats;
    QCheckBox *chkTpc, *chkGpl, *chkMolar, *chkMolal, *chkFrM;
    QLineEdit *txtTpc, *txtGpl, *txtMolar, *txtMolal, *txtFrM;

    QMenu *mnuArxiu;
    QAction *ArxiuText;
    QMenu *ArxiuInformE;
    QAction *ArxiuInformExem, *ArxiuInformFitxa, *ArxiuSortir;

    QMenu *mnuAccions;
    QAction *AccionsEsborrar, *AccionsCongelar, *AccionsMarcar, *AccionsSolid, *AccionsInici;

    QMenu *mnuEines;
    QMenu *EinesPsoliD;
    QAction *EinesPsolidA, *EinesPsolidD;
    QMenu *EinesDiam;
    QAction *EinesDiamAfAu, *EinesDiamAfDi;

    QMenu *mnuConcentracio;
    QAction *ConceTpc, *ConceGpl, *ConceMolar, *ConceMolal, *ConceFrM, *ConceTotes, *ConceCap;

    QMenu *mnuFinestra;
    QAction *FinPre, *FinTeo, *FinProp, *FinGuia;

    QAction *mnuAjuda;

    // The data check boxes and text boxes in the order the calculator walks them.
    QList<QCheckBox *> dataChecks() const;
    QList<QLineEdit *> dataTexts() const;
    QList<QCheckBox *> resultChecks() const;
    QList<QLineEdit *> resultTexts() const;

private:
    void buildControls();
    void buildMenus();
    QAction *item(QMenu *menu, const char *name, const QString &caption);
    QMenu *menu(QMenu *parent, const char *name, const QString &caption);
};
