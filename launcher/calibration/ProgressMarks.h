#pragma once

#include <QLabel>

// A row of marks that grows as the measurement goes on. A screen reader
// meets it as a progress bar, from one mark to the most there can be, and
// hears each new mark.
class ProgressMarks : public QLabel {
    Q_OBJECT

public:
    ProgressMarks(const QString &mark, int most, QWidget *parent = nullptr);

    void setMarks(int count);
    int marks() const { return m_marks; }
    int most() const { return m_most; }

private:
    QString m_mark;
    int m_most;
    int m_marks = 0;
};
