#include "model/windows/ConcentracioAccessibility.h"

#include "common/widgets/AccessibleWidgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const char *const CajaName = "Vas de precipitats amb la dissolució";
const char *const FormulesName = "Fórmules de la concentració";
const char *const FormulesText =
    "Algunes formes d'expressar la concentració de les dissolucions. "
    "Tant per cent en massa és igual a massa solut entre massa total. "
    "Grams per litre és igual a grams solut entre litres de dissolució. "
    "Molaritat és igual a mols solut entre litres de dissolució. "
    "Molalitat és igual a mols solut entre kilograms de dissolvent. "
    "Fracció molar és igual a mols solut entre mols totals.";

// chkGsolut names txtGsolut, and so on for every datum and result.
void nameTextBoxesByTheirCheckBoxes(QWidget &window)
{
    const QString prefix = QStringLiteral("chk");
    for (QCheckBox *box : window.findChildren<QCheckBox *>()) {
        if (!box->objectName().startsWith(prefix))
            continue;
        markAsIndicator(box);
        const QString suffix = box->objectName().mid(prefix.size());
        if (auto *text = window.findChild<QLineEdit *>(QStringLiteral("txt") + suffix))
            text->setAccessibleName(spokenText(box->text()));
    }
}

void chainTabs(QWidget &window, std::initializer_list<const char *> names)
{
    QWidget *previous = nullptr;
    for (const char *name : names) {
        QWidget *next = window.findChild<QWidget *>(QLatin1String(name));
        if (previous && next)
            QWidget::setTabOrder(previous, next);
        previous = next ? next : previous;
    }
}

// Tab reads the window as a pupil does: the beaker, the data, the button, the
// results.
// The button goes in last: Qt 6.4 will not move it while it is the first
// control in the chain.
void orderTabs(QWidget &window)
{
    chainTabs(window, {"Caja", "txtGsolut", "txtGdt", "txtVdso", "txtDens", "txtMsolut", "txtMdt", "txtTpc", "txtGpl",
                       "txtMolar", "txtMolal", "txtFrM"});
    chainTabs(window, {"txtMdt", "cmdResultats", "txtTpc"});
}

} // namespace

void describeModelWindow(QWidget &window)
{
    orderTabs(window);
    nameTextBoxesByTheirCheckBoxes(window);
    if (auto *caja = window.findChild<QWidget *>(QStringLiteral("Caja"))) {
        giveRole(caja, QAccessible::Graphic);
        caja->setAccessibleName(QString::fromUtf8(CajaName));
    }
    for (const char *name : {"txtTpc", "txtGpl", "txtMolar", "txtMolal", "txtFrM"})
        if (auto *result = window.findChild<QLineEdit *>(QLatin1String(name)))
            result->setAccessibleDescription(QStringLiteral(
                "Resultat calculat pel model, amb 4 xifres significatives; el que s'hi escrigui no canvia res."));
    if (auto *button = window.findChild<QWidget *>(QStringLiteral("cmdResultats")))
        button->setAccessibleDescription(QStringLiteral("Mostra o amaga el quadre de resultats."));
    if (auto *formules = window.findChild<QLabel *>(QStringLiteral("picConcentracio"))) {
        formules->setAccessibleName(QString::fromUtf8(FormulesName));
        formules->setAccessibleDescription(QString::fromUtf8(FormulesText));
    }
}
