#pragma once

#include <QObject>

class ActiveLabel;
class Backdrop;

// The frames that show which of the menu window's two active labels the
// pointer is over; the bare background takes them away.
class LabelHover : public QObject {
    Q_OBJECT

public:
    LabelHover(Backdrop *client, ActiveLabel *lblSubtitol, ActiveLabel *lblFi);

    void Desmarca_Etiquetes();

private:
    void framedSubtitle();
    void framedExit();

    ActiveLabel *m_subtitle;
    ActiveLabel *m_exit;
};
