#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QWidget;

// The two picture panels of the menu window, "Sobre aquest treball...." and
// "Recomanacions d'ús", each with its close button; one shows at a time.
class InfoPanels : public QObject {
    Q_OBJECT

public:
    explicit InfoPanels(QWidget *parent);

    void place(float escala);
    void showSobre();
    void showRecom();

private:
    void show(QLabel *picture, QPushButton *button);
    QList<QWidget *> panels() const;

    QLabel *picSobre;
    QPushButton *cmdSobre;
    QLabel *picRecom;
    QPushButton *cmdRecom;
};
