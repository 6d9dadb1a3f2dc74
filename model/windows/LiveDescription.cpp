#include "model/windows/LiveDescription.h"

#include <QWidget>

LiveDescription::LiveDescription(QWidget &target, std::function<QString()> describe, QObject *parent)
    : QObject(parent)
    , m_target(target)
    , m_describe(std::move(describe))
{
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &LiveDescription::refresh);
    m_timer.start();
    refresh();
}

void LiveDescription::refresh()
{
    const QString text = m_describe();
    if (text == m_target.accessibleDescription())
        return;
    // Qt tells assistive technology of the change.
    m_target.setAccessibleDescription(text);
}
