#include "launcher/calibration/ProgressMarks.h"

#include <QAccessibleWidget>

namespace {

class AccessibleProgressMarks : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleProgressMarks(ProgressMarks *marks)
        : QAccessibleWidget(marks, QAccessible::ProgressBar)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QStringLiteral("%1 de %2").arg(marks()->marks()).arg(marks()->most());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return marks()->marks(); }
    // Only the measurement moves it.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return marks()->most(); }
    QVariant minimumValue() const override { return 1; }
    QVariant minimumStepSize() const override { return 1; }

private:
    ProgressMarks *marks() const { return static_cast<ProgressMarks *>(widget()); }
};

QAccessibleInterface *progressMarksFactory(const QString &className, QObject *object)
{
    auto *marks = qobject_cast<ProgressMarks *>(object);
    return className == QLatin1String("ProgressMarks") && marks ? new AccessibleProgressMarks(marks) : nullptr;
}

} // namespace

ProgressMarks::ProgressMarks(const QString &mark, int most, QWidget *parent)
    : QLabel(parent)
    , m_mark(mark)
    , m_most(most)
{
    static const bool installed = (QAccessible::installFactory(progressMarksFactory), true);
    Q_UNUSED(installed);
}

void ProgressMarks::setMarks(int count)
{
    if (count == m_marks)
        return;
    m_marks = count;
    setText(m_mark.repeated(count));
    QAccessibleValueChangeEvent event(this, count);
    QAccessible::updateAccessibility(&event);
}
