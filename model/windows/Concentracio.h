#pragma once

#include "model/calculator/Comanda.h"
#include "common/core/CircleSet.h"

#include <QMainWindow>
#include <string>

class Announcer;
class Calculadora;
class PictureBox;
class SimulationCommands;
class Surface;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

// The model's main window: every control at its design place and the whole
// menu tree. It shows the calculator's and the simulation's state and
// reports what the pupil does; it decides nothing itself.
class Concentracio : public QMainWindow {
    Q_OBJECT

public:
    explicit Concentracio(QWidget *parent = nullptr);

    static const QString Caption;

    // The reference layout for a screen 1024 pixels wide, on the scene's
    // background; then, on other screens, that layout rescaled once.
    void Disposa_Controls(Rgb background);
    void Escala_Controls(float EscalaPantalla);
    // The illustration from the companion folder; the box takes the picture's
    // size plus its border, or stays empty when the file is missing.
    void loadIllustration(const QString &path);

    // The start state before the scene is loaded: frames and button hidden.
    void prepare(Rgb background, const QString &propietats);

    void showCalculator(const Calculadora &calculator);
    void showSimulation(const SimulationCommands &simulation);
    void focusDatum(Dada dada);
    // Said to a screen reader at once, wherever the focus is.
    void announce(const QString &message);
    // What the beaker's picture shows, for a screen reader.
    void describePicture(const QString &description);
    // The beaker's drawing, which the simulation draws into.
    Surface &picture();
    void repaintPicture();
    // Repaints only the given part of the picture; nothing when it is empty.
    void repaintPicture(const TwipBox &area);
    // The animation clock; the program starts, stops and listens to it.
    QTimer &clock() { return *tmrRellotge; }

signals:
    void commandChosen(Comanda command);
    void dataEdited(Dada dada, const QString &text);
    void resultsButtonClicked();
    void picturePressed(float xTwips, float yTwips);

private:
    void buildControls();
    void buildMenus();
    void connectControls();
    QAction *item(QMenu *menu, const char *name, const QString &caption, Comanda command);
    QMenu *menu(QMenu *parent, const char *name, const QString &caption);
    void showResultsCaption(const QString &caption);
    QAction *action(Comanda command) const;
    QList<QWidget *> scaledControls() const;
    void describeData(const Calculadora &calculator);
    void noteResultNews(const Calculadora &calculator);
    void tellResultNews();
    // A control that hides or turns off does not keep the keyboard.
    void keepFocusShowing();

    QWidget *m_client;
    PictureBox *Caja;
    QPushButton *cmdResultats;
    QLabel *picConcentracio;
    QLabel *lblPropietats;
    QTimer *tmrRellotge;
    Announcer *m_announcer;
    // Results are told once the pupil stops typing, not at every keystroke.
    QTimer *m_resultNewsDelay;
    std::array<bool, TotesMesures.size()> m_resultNews{};

    QGroupBox *frDades;
    KeyedArray<Dada, QCheckBox *, TotesDades.size()> chkDada;
    KeyedArray<Dada, QLineEdit *, TotesDades.size()> txtDada;

    QGroupBox *frResultats;
    KeyedArray<Mesura, QCheckBox *, TotesMesures.size()> chkMesura;
    KeyedArray<Mesura, QLineEdit *, TotesMesures.size()> txtMesura;
    KeyedArray<Mesura, std::string, TotesMesures.size()> m_resultsShown;

    std::array<QAction *, NombreComandes> m_actions{};
    QMenu *mnuEines;
    // Text written while showing a state is not the pupil's typing.
    bool m_rendering = false;
};
