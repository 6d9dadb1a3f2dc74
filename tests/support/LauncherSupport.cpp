#include "tests/support/LauncherSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

double luminance(QRgb colour)
{
    const auto linear = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

double medianLuminance(const QImage &image, const QRect &area)
{
    std::vector<double> under;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            under.push_back(luminance(image.pixel(x, y)));
    std::nth_element(under.begin(), under.begin() + under.size() / 2, under.end());
    return under[under.size() / 2];
}

} // namespace

WorkingFolder::WorkingFolder()
    : m_old(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkingFolder::~WorkingFolder()
{
    QDir::setCurrent(m_old);
}

QString WorkingFolder::makeModels() const
{
    QDir(m_dir.path()).mkdir(QStringLiteral("Arxius_models"));
    return m_dir.filePath(QStringLiteral("Arxius_models"));
}

MessageWatcher::MessageWatcher()
{
    m_poll.setInterval(5);
    connect(&m_poll, &QTimer::timeout, this, &MessageWatcher::answer);
    m_poll.start();
}

void MessageWatcher::answer()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    texts << box->text();
    box->accept();
}

void movePointerOver(QWidget *widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void clearApplicationPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

double worstCaptionContrast(QWidget &window, QString &which)
{
    const QImage shot = window.grab().toImage();
    double worst = 21;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const QRect area = QRect(widget->mapTo(&window, QPoint()), widget->size()).intersected(shot.rect());
        // Labels and buttons hold their caption in "text".
        if (widget->property("text").toString().isEmpty() || !widget->isVisibleTo(&window) || area.isEmpty())
            continue;
        const double text = luminance(widget->palette().color(widget->foregroundRole()).rgb());
        const double under = medianLuminance(shot, area);
        const double contrast = (std::max(text, under) + 0.05) / (std::min(text, under) + 0.05);
        if (contrast < worst) {
            worst = contrast;
            which = widget->objectName();
        }
    }
    return worst;
}
