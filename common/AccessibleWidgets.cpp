#include "AccessibleWidgets.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QRegularExpression>

namespace {

constexpr char IndicatorProperty[] = "indicator";

class AccessibleIndicator : public QAccessibleWidget {
public:
    explicit AccessibleIndicator(QCheckBox *box)
        : QAccessibleWidget(box, QAccessible::CheckBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || !own.isEmpty())
            return own;
        return spokenText(box()->text());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->checkState() == Qt::Checked;
        s.checkStateMixed = box()->checkState() == Qt::PartiallyChecked;
        return s;
    }

    QStringList actionNames() const override { return {}; }
    void doAction(const QString &) override {}

private:
    QCheckBox *box() const { return static_cast<QCheckBox *>(widget()); }
};

QAccessibleInterface *indicatorFactory(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QCheckBox *>(object);
    if (className != QLatin1String("QCheckBox") || !box || !box->property(IndicatorProperty).toBool())
        return nullptr;
    return new AccessibleIndicator(box);
}

QAccessibleInterface *pictureBoxFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("PictureBox") || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
}

} // namespace

void markAsIndicator(QCheckBox *box)
{
    static const bool installed = (QAccessible::installFactory(indicatorFactory), true);
    Q_UNUSED(installed);
    box->setProperty(IndicatorProperty, true);
}

void installPictureBoxInterface()
{
    static const bool installed = (QAccessible::installFactory(pictureBoxFactory), true);
    Q_UNUSED(installed);
}

QString spokenText(const QString &caption)
{
    QString text = caption;
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text.trimmed();
}
