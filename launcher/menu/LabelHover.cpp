#include "launcher/menu/LabelHover.h"

#include "launcher/menu/MenuWidgets.h"
#include "launcher/menu/Pointer.h"

LabelHover::LabelHover(Backdrop *client, ActiveLabel *lblSubtitol, ActiveLabel *lblFi)
    : QObject(client)
    , m_subtitle(lblSubtitol)
    , m_exit(lblFi)
{
    connect(client, &Backdrop::pointerMoved, this, &LabelHover::Desmarca_Etiquetes);
    connect(lblSubtitol, &ActiveLabel::pointerMoved, this, &LabelHover::framedSubtitle);
    connect(lblFi, &ActiveLabel::pointerMoved, this, &LabelHover::framedExit);
}

void LabelHover::Desmarca_Etiquetes()
{
    m_subtitle->setFramed(false);
    m_exit->setFramed(false);
}

void LabelHover::framedSubtitle()
{
    m_subtitle->setFramed(true);
    const QCursor pointer = m_subtitle->cursor();
    setApplicationPointer(&pointer);
}

void LabelHover::framedExit()
{
    Desmarca_Etiquetes();
    m_exit->setFramed(true);
}
