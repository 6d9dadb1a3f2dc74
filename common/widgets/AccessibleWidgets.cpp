#include "common/widgets/AccessibleWidgets.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QRegularExpression>

namespace {

constexpr char IndicatorProperty[] = "accessibleIndicator";
constexpr char RoleProperty[] = "accessibleRole";

class AccessibleIndicator : public QAccessibleWidget {
public:
    explicit AccessibleIndicator(QCheckBox *box)
        : QAccessibleWidget(box, QAccessible::CheckBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? captionName(widget(), box()->text()) : QAccessibleWidget::text(t);
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

QAccessibleInterface *indicatorFactory(const QString &, QObject *object)
{
    auto *box = qobject_cast<QCheckBox *>(object);
    return box && box->property(IndicatorProperty).toBool() ? new AccessibleIndicator(box) : nullptr;
}

QAccessibleInterface *roleFactory(const QString &, QObject *object)
{
    const QVariant role = object->property(RoleProperty);
    if (!object->isWidgetType() || !role.isValid())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void markAsIndicator(QCheckBox *box)
{
    static const bool installed = (QAccessible::installFactory(indicatorFactory), true);
    Q_UNUSED(installed);
    box->setProperty(IndicatorProperty, true);
    forgetInterface(box);
}

void giveRole(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = (QAccessible::installFactory(roleFactory), true);
    Q_UNUSED(installed);
    widget->setProperty(RoleProperty, int(role));
    forgetInterface(widget);
}

void forgetInterface(QObject *object)
{
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QString captionName(const QWidget *widget, const QString &caption)
{
    return widget->accessibleName().isEmpty() ? spokenText(caption) : widget->accessibleName();
}

QString spokenText(const QString &caption)
{
    QString text = caption;
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text.trimmed();
}
