#pragma once

#include <QWidget>

class QPlainTextEdit;

// The help window: one text box with the description of every menu command.
// What the user types into it is never kept.
class frmAjuda : public QWidget {
    Q_OBJECT

public:
    static QString textAjuda();

    explicit frmAjuda(float escalaPantalla, QWidget *parent = nullptr);

private:
    void layOut(float escala);

    QPlainTextEdit *txtAjuda;
};
