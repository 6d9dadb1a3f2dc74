#include "launcher/calibration/Optim_Boles.h"

#include "common/widgets/Screen.h"
#include "common/core/CalibrationFile.h"
#include "common/core/ScreenScale.h"
#include "common/widgets/TwipGeometry.h"
#include "common/widgets/Controls.h"
#include "common/widgets/DesignPalette.h"
#include "common/widgets/MessageBox.h"
#include "common/widgets/PictureBox.h"
#include "launcher/calibration/Optim_BolesAccessibility.h"
#include "launcher/calibration/ProgressMarks.h"

#include <QLabel>
#include <QTimer>

const QString Optim_Boles::Message = QStringLiteral("Optimitzant el nombre de partícules  ");
const QString Optim_Boles::Mark = QStringLiteral("■");
const QString Optim_Boles::UnwrittenMessage
    = QStringLiteral("No s'ha pogut desar el resultat de l'optimització. El model farà servir el sòlid més petit.");

namespace {

const QColor BoxColour(192, 255, 255);
// A square about 10 pixels wide, so that all 36 marks fit beside the message
// on an 800-pixel screen.
constexpr float MarkPoints = 12.75f;

QFont boldFont(const QFont &base, float points)
{
    QFont font(base);
    font.setBold(true);
    setFontPoints(font, points);
    return font;
}

} // namespace

Optim_Boles::Optim_Boles(Random &random, Clock clock, QWidget *parent)
    : QWidget(parent)
    , Caja(new PictureBox(this))
    , m_boles(Caja->surface().circles(), random)
    , m_measurement(m_boles, std::move(clock))
    , tmrRelloOptim(new QTimer(this))
{
    setObjectName(QStringLiteral("Optim_Boles"));
    setWindowTitle(QStringLiteral("Tavirel"));
    buildControls();
    load();
    describeCalibrationWindow(*this);
}

void Optim_Boles::buildControls()
{
    useDesignPalette(this, BoxColour, QColor(128, 128, 0));
    setFont(boldFont(font(), 8.25f));
    Caja->setObjectName(QStringLiteral("Caja"));
    Caja->surface().setBackground({192, 255, 255});
    lblOptim = control<QLabel>(this, "lblOptim");
    lblOptim->setFont(boldFont(QFont(), 12));
    setColour(lblOptim, QPalette::WindowText, QColor(0, 0, 192));
    lblPunts = new ProgressMarks(Mark, Measurement::MostMarks, this);
    lblPunts->setObjectName(QStringLiteral("lblPunts"));
    lblPunts->setFont(boldFont(QFont(), MarkPoints));
    setColour(lblPunts, QPalette::WindowText, QColor(0, 0, 255));
    tmrRelloOptim->setObjectName(QStringLiteral("tmrRelloOptim"));
    tmrRelloOptim->setTimerType(Qt::PreciseTimer);
    connect(tmrRelloOptim, &QTimer::timeout, this, &Optim_Boles::tick);
}

void Optim_Boles::load()
{
    maximise(this);
    const BoxConstants box = BoxConstants::calibration();
    moveTwips(Caja, 360, 768);
    Caja->resizeTwips(box.AmpladaCaja(), box.AlturaCaja());
    tmrRelloOptim->setInterval(50);
    m_measurement.start();
    lblOptim->setText(Message);
    moveTwips(lblOptim, 2000, 400);
    fitToText(lblOptim);
    const TwipRect message = twipRect(lblOptim);
    moveTwips(lblPunts, message.left + message.width, message.top - 20);
    showMarks();
}

// Creating, laying out and first painting the window would otherwise count
// against the first set, and on a loaded machine decide the whole result.
void Optim_Boles::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_painted)
        return;
    m_painted = true;
    QTimer::singleShot(0, this, &Optim_Boles::beginMeasuring);
}

void Optim_Boles::beginMeasuring()
{
    m_measurement.restartTiming();
    tmrRelloOptim->start();
}

void Optim_Boles::tick()
{
    switch (m_measurement.tick()) {
    case Measurement::Step::Finished:
        finish();
        return;
    case Measurement::Step::Grew:
        showMarks();
        break;
    case Measurement::Step::Moved:
        break;
    }
    Caja->update();
}

void Optim_Boles::putAway()
{
    hide();
    destroy();
    Caja->resizeTwips(0, 0);
}

void Optim_Boles::showMarks()
{
    lblPunts->setMarks(m_measurement.marks());
    fitToText(lblPunts);
}

// A file that cannot be written leaves the model its smallest solid, which
// is no reason to keep the user from the launcher, only to tell them.
void Optim_Boles::finish()
{
    tmrRelloOptim->stop();
    if (!writeCalibration(calibrationFilePath(), m_measurement.TempsBudget(), m_measurement.NombreFinal()))
        showMessage(this, UnwrittenMessage);
    emit measured(m_measurement.NombreFinal());
}
