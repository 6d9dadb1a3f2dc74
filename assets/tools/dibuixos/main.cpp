// Draws every picture of the suite: the formula sheet and the launcher's two
// panels (each at the three screen sizes), the launcher's background, icon and
// pointer, and the figures of the teaching documents.
//
// usage: dibuixos <Arxius_models dir> <launcher dir> <figures dir>
// Run with QT_QPA_PLATFORM=offscreen; fonts: Liberation (fonts-liberation2).

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QVector>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const QColor kSolutFill(0, 160, 255);   // the model's particle colours
const QColor kSolutBorder(0, 0, 255);
const QColor kTextBlue(0, 0, 160);

QFont font(const char* family, qreal pixels, bool bold = false, bool italic = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(qRound(pixels));
    f.setBold(bold);
    f.setItalic(italic);
    // The pictures are scaled as a whole; hinting would move glyphs per size.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void save(const QImage& img, const QString& path)
{
    // Quality means compression for PNG; only JPEG gets a quality setting.
    const int quality = path.endsWith(QLatin1String(".jpg")) ? 90 : -1;
    if (!img.save(path, nullptr, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s %dx%d\n", qPrintable(path), img.width(), img.height());
}

// Draws `draw` laid out for a reference size onto a picture of the given
// size, with `ratio` device pixels to each of its pixels.
template <typename Draw>
QImage scaled(int refW, int refH, int w, int h, qreal ratio, const QColor& background, Draw draw)
{
    QImage img(qRound(w * ratio), qRound(h * ratio), QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    p.scale(w * ratio / refW, h * ratio / refH);
    draw(p);
    return img;
}

// ---------------------------------------------------------------- formula sheet

// A fraction whose bar lies on `axis`, centred on `cx`.
void fraction(QPainter& p, qreal cx, qreal axis, const QString& num, const QString& den)
{
    const QFontMetricsF fm(p.font());
    const qreal wn = fm.horizontalAdvance(num);
    const qreal wd = fm.horizontalAdvance(den);
    const qreal bar = std::max(wn, wd) + 8;
    p.setPen(QPen(Qt::black, 1.1));
    p.drawLine(QPointF(cx - bar / 2, axis), QPointF(cx + bar / 2, axis));
    p.drawText(QPointF(cx - wn / 2, axis - 3.5 - fm.descent()), num);
    p.drawText(QPointF(cx - wd / 2, axis + 3.0 + fm.ascent()), den);
}

void formulaSheet(QPainter& p)
{
    const qreal W = 291;
    p.setPen(Qt::black);
    p.setFont(font("Liberation Serif", 16, true));
    const QFontMetricsF hm(p.font());
    const QString h1 = QStringLiteral("Algunes formes d’expressar la");
    const QString h2 = QStringLiteral("concentració de les dissolucions");
    p.drawText(QPointF((W - hm.horizontalAdvance(h1)) / 2, 26), h1);
    p.drawText(QPointF((W - hm.horizontalAdvance(h2)) / 2, 46), h2);
    p.setPen(QPen(Qt::black, 0.8));
    p.drawLine(QPointF(24, 58), QPointF(W - 24, 58));

    struct Row { QStringList name; QString num, den; };
    const Row rows[] = {
        {{QStringLiteral("tant per cent"), QStringLiteral("en massa")},
         QStringLiteral("massa solut"), QStringLiteral("massa total")},
        {{QStringLiteral("grams per litre")},
         QStringLiteral("grams solut"), QStringLiteral("litres de dissolució")},
        {{QStringLiteral("molaritat")},
         QStringLiteral("mols solut"), QStringLiteral("litres de dissolució")},
        {{QStringLiteral("molalitat")},
         QStringLiteral("mols solut"), QStringLiteral("kilograms de dissolvent")},
        {{QStringLiteral("fracció molar")},
         QStringLiteral("mols solut"), QStringLiteral("mols totals")},
    };
    p.setFont(font("Liberation Serif", 13.5));
    const QFontMetricsF fm(p.font());
    const qreal centre = fm.xHeight() / 2;  // lowercase centre sits on the bar
    const qreal eqX = 112;
    const qreal fracCx = eqX + 14 + (W - 6 - eqX - 14) / 2;
    qreal axis = 98;
    for (const Row& r : rows) {
        p.setPen(Qt::black);
        const qreal lead = fm.lineSpacing();
        qreal base = axis + centre - (r.name.size() - 1) * lead / 2;
        for (const QString& line : r.name) {
            p.drawText(QPointF(8, base), line);
            base += lead;
        }
        p.drawText(QPointF(eqX, axis + centre + 0.5), QStringLiteral("="));
        fraction(p, fracCx, axis, r.num, r.den);
        axis += 56;
    }
}

// ---------------------------------------------------------------- panels

void particle(QPainter& p, QPointF c, qreal r, const QColor& fill = kSolutFill,
              const QColor& border = kSolutBorder)
{
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.35), r * 1.3);
    g.setColorAt(0, fill.lighter(160));
    g.setColorAt(1, fill);
    p.setBrush(g);
    p.setPen(QPen(border, std::max<qreal>(0.8, r * 0.12)));
    p.drawEllipse(c, r, r);
}

// Text panel shown by the launcher; the "Tancar" button lies over its lower
// right corner, so the text keeps clear of it.
void panel(QPainter& p, qreal W, qreal H, const QString& title, const QString& html,
           qreal bodyPixels)
{
    p.fillRect(QRectF(0, 0, W, H), QColor(252, 252, 246));
    QLinearGradient band(0, 0, W, 0);
    band.setColorAt(0, QColor(0, 40, 150));
    band.setColorAt(1, QColor(40, 110, 210));
    p.fillRect(QRectF(0, 0, W, 44), band);
    p.setPen(Qt::white);
    p.setFont(font("Liberation Sans", 19, true));
    p.drawText(QRectF(12, 0, W - 24, 44), Qt::AlignVCenter | Qt::AlignLeft, title);
    // A few particles on the band, like those of the model.
    const qreal rr = 6.5;
    particle(p, QPointF(W - 20, 15), rr);
    particle(p, QPointF(W - 33, 28), rr);
    particle(p, QPointF(W - 20, 28), rr);
    particle(p, QPointF(W - 46, 31), rr, QColor(255, 0, 0), Qt::black);

    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(font("Liberation Sans", bodyPixels));
    doc.setDefaultStyleSheet(QStringLiteral(
        "p { margin-top: 0px; margin-bottom: 7px; color: #141432; }"
        "h3 { margin-top: 5px; margin-bottom: 3px; color: #0000a0; font-size: large; }"
        "li { margin-bottom: 4px; color: #141432; }"));
    doc.setHtml(html);
    doc.setTextWidth(W - 26);
    p.save();
    p.translate(13, 56);
    doc.drawContents(&p, QRectF(0, 0, W - 26, H - 56 - 48));
    p.restore();
    if (doc.size().height() > H - 56 - 48)
        std::fprintf(stderr, "warning: panel \"%s\" text overflows (%.0f > %.0f)\n",
                     qPrintable(title), doc.size().height(), H - 56 - 48);

    p.setPen(QPen(QColor(0, 40, 150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, W - 2, H - 2));
}

void aboutPanel(QPainter& p)
{
    panel(p, 401, 601, QStringLiteral("Sobre aquest treball"), QStringLiteral(
        "<p>Aquest programa és un recull de <b>models de la matèria</b> per a "
        "l’ensenyament de la química a l’educació secundària. Els models "
        "representen les substàncies com a conjunts de partícules en moviment, "
        "d’acord amb la teoria cineticomolecular.</p>"
        "<p>El model <b>Càlcul de concentracions</b> mostra com un sòlid cau "
        "dins d’un vas de precipitats i s’hi dissol partícula a partícula, i "
        "calcula la concentració de la dissolució de cinc maneres: tant per "
        "cent en massa, grams per litre, molaritat, molalitat i fracció "
        "molar.</p>"
        "<h3>A qui s’adreça</h3>"
        "<p>A l’alumnat d’ESO i de batxillerat, de 14 a 17 anys, i al seu "
        "professorat. El model s’acompanya d’una introducció teòrica, unes "
        "propostes de treball, una guia didàctica, una presentació, un "
        "exemple d’informe i una fitxa per emplenar.</p>"
        "<h3>Com s’ha fet</h3>"
        "<p>L’equip de desenvolupament ha escrit el programa en C++ amb la "
        "biblioteca Qt. Els textos, els dibuixos i els documents s’han "
        "elaborat expressament per a aquest treball.</p>"
        "<h3>Llicència</h3>"
        "<p>Programari lliure: es distribueix sota la Llicència Pública "
        "General de GNU, versió 3 o qualsevol versió posterior "
        "(GPL-3.0-or-later). Es pot utilitzar, copiar, estudiar, modificar i "
        "redistribuir lliurement, d’acord amb aquesta llicència, i es "
        "distribueix sense cap garantia.</p>"),
        13.5);
}

void recommendationsPanel(QPainter& p)
{
    panel(p, 297, 613, QStringLiteral("Recomanacions d’ús"), QStringLiteral(
        "<h3>Pantalla</h3>"
        "<p>Els models s’adapten a pantalles de 800, 1024 o 1152 píxels "
        "d’amplada o més. Es veuen millor amb 1024 píxels o més.</p>"
        "<h3>Velocitat de l’ordinador</h3>"
        "<p>Cada vegada que s’inicia, el programa mesura la velocitat de "
        "l’ordinador per triar el nombre de partícules que pot moure amb "
        "fluïdesa. Cal esperar uns segons.</p>"
        "<p>Dins del model, el menú <b>Eines</b> permet canviar el nombre de "
        "partícules (Augmentar o Disminuir) i afinar-ne el diàmetre "
        "(Afinar (+) o Afinar (-)) si el moviment és lent o el dibuix no es "
        "veu bé.</p>"
        "<h3>Informes i anotacions</h3>"
        "<p>Deseu els informes i el document de text <b>amb un altre "
        "nom</b>: els arxius originals han de quedar disponibles, amb el seu "
        "nom, per a les properes vegades que s’utilitzi el programa.</p>"
        "<h3>Ajuda</h3>"
        "<p>Dins del model, el menú <b>Ajuda</b> explica totes les ordres, i el "
        "menú <b>Finestra</b> obre la presentació, la introducció teòrica, les "
        "propostes de treball i la guia didàctica.</p>"),
        13);
}

// ---------------------------------------------------------------- launcher

void launcherBackground(const QString& path, qreal ratio)
{
    const int W = 1134, H = 850;
    QImage img(qRound(W * ratio), qRound(H * ratio), QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(ratio, ratio);
    QLinearGradient g(0, 0, W * 0.6, H);
    g.setColorAt(0, QColor(246, 248, 255));
    g.setColorAt(1, QColor(218, 228, 251));
    p.fillRect(QRectF(0, 0, W, H), g);

    // Where the window writes its texts and draws its particle box.
    const QVector<QRectF> keepClear = {
        {90, 110, 500, 90},     // subtitle and its bar
        {290, 280, 760, 140},   // title and the bar beside it
        {730, 10, 265, 265},    // particle box
        {90, 450, 220, 180},    // exit label and its bar
    };
    auto clear = [&](QPointF c, qreal r) {
        for (const QRectF& k : keepClear)
            if (k.adjusted(-r, -r, r, r).contains(c))
                return false;
        return true;
    };

    // A large, faint beaker in the lower right corner.
    const QRectF glass(800, 470, 250, 300);
    QPainterPath liquid;
    liquid.setFillRule(Qt::WindingFill);
    liquid.addRoundedRect(QRectF(glass.left(), glass.top() + 110, glass.width(), glass.height() - 110), 18, 18);
    liquid.addRect(QRectF(glass.left(), glass.top() + 110, glass.width(), 30));
    p.fillPath(liquid.simplified(), QColor(150, 190, 245, 40));
    QPainterPath outline;
    outline.moveTo(glass.left() - 16, glass.top() - 12);
    outline.quadTo(glass.left(), glass.top() - 8, glass.left(), glass.top() + 6);
    outline.lineTo(glass.left(), glass.bottom() - 18);
    outline.quadTo(glass.left(), glass.bottom(), glass.left() + 18, glass.bottom());
    outline.lineTo(glass.right() - 18, glass.bottom());
    outline.quadTo(glass.right(), glass.bottom(), glass.right(), glass.bottom() - 18);
    outline.lineTo(glass.right(), glass.top() + 6);
    outline.quadTo(glass.right(), glass.top() - 8, glass.right() + 10, glass.top() - 12);
    p.setPen(QPen(QColor(90, 110, 170, 70), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    for (int i = 1; i <= 5; ++i) {
        const qreal y = glass.bottom() - i * 45;
        p.drawLine(QPointF(glass.right() - 40, y), QPointF(glass.right() - 12, y));
    }

    // Faint particles, many in the beaker's solution, a few drifting elsewhere.
    QRandomGenerator rng(1134850);
    auto faint = [&](QPointF c, qreal r, int alpha) {
        QRadialGradient rg(c - QPointF(r * 0.3, r * 0.3), r * 1.2);
        rg.setColorAt(0, QColor(255, 255, 255, alpha));
        rg.setColorAt(1, QColor(60, 120, 230, alpha));
        p.setBrush(rg);
        p.setPen(QPen(QColor(40, 70, 200, alpha), 1.2));
        p.drawEllipse(c, r, r);
    };
    QVector<QPointF> placed = {QPointF(640, 700), QPointF(1060, 360)};  // water molecules
    auto free = [&](QPointF c, qreal gap) {
        for (const QPointF& q : placed)
            if (QLineF(c, q).length() < gap)
                return false;
        return true;
    };
    for (int n = 0, tries = 0; n < 28 && tries < 5000; ++tries) {
        const QPointF c(glass.left() + 18 + rng.bounded(glass.width() - 84),
                        glass.top() + 130 + rng.bounded(glass.height() - 150));
        if (!free(c, 26))
            continue;
        placed << c;
        faint(c, 9, 70);
        ++n;
    }
    for (int n = 0, tries = 0; n < 30 && tries < 20000; ++tries) {
        const QPointF c(rng.bounded(W), rng.bounded(H));
        const qreal r = 6 + rng.bounded(16);
        if (!clear(c, r + 20) || glass.adjusted(-40, -40, 40, 40).contains(c) || !free(c, 3 * r + 30))
            continue;
        placed << c;
        faint(c, r, 28 + rng.bounded(22));
        ++n;
    }
    // Two faint water molecules.
    auto water = [&](QPointF o, qreal angle) {
        const qreal r = 16, h = 9, bond = 19, half = 52.25 * M_PI / 180;
        for (int s : {-1, 1}) {
            const QPointF hc = o + QPointF(std::cos(angle + s * half), std::sin(angle + s * half)) * bond;
            p.setBrush(QColor(255, 255, 255, 90));
            p.setPen(QPen(QColor(90, 110, 170, 60), 1.2));
            p.drawEllipse(hc, h, h);
        }
        p.setBrush(QColor(240, 120, 120, 50));
        p.setPen(QPen(QColor(170, 80, 80, 60), 1.2));
        p.drawEllipse(o, r, r);
    };
    water(QPointF(640, 700), -M_PI / 2);
    water(QPointF(1060, 360), M_PI / 3);
    p.end();
    save(img, path);
}

void icon(const QString& path)
{
    QImage img(64, 64, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(13, 9, 38, 50);
    QPainterPath liquid;
    liquid.addRoundedRect(QRectF(body.left(), 30, body.width(), body.bottom() - 30), 5, 5);
    p.fillPath(liquid, QColor(170, 220, 255));
    p.fillRect(QRectF(body.left(), 30, body.width(), 6), QColor(170, 220, 255));
    particle(p, QPointF(22, 52), 3.6);
    particle(p, QPointF(29.5, 52), 3.6);
    particle(p, QPointF(25.7, 45.5), 3.6);
    particle(p, QPointF(40, 40), 3.6);
    particle(p, QPointF(44, 50), 3.6);
    particle(p, QPointF(34, 35.5), 3.6, QColor(255, 0, 0), Qt::black);
    QPainterPath glass;
    glass.moveTo(body.left() - 5, body.top() - 3);
    glass.quadTo(body.left(), body.top() - 2, body.left(), body.top() + 3);
    glass.lineTo(body.left(), body.bottom() - 5);
    glass.quadTo(body.left(), body.bottom(), body.left() + 5, body.bottom());
    glass.lineTo(body.right() - 5, body.bottom());
    glass.quadTo(body.right(), body.bottom(), body.right(), body.bottom() - 5);
    glass.lineTo(body.right(), body.top() + 1);
    glass.quadTo(body.right(), body.top() - 2, body.right() + 3, body.top() - 3);
    p.setPen(QPen(QColor(30, 40, 90), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    p.setPen(QPen(QColor(30, 40, 90), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {19.0, 27.0})
        p.drawLine(QPointF(body.right() - 9, y), QPointF(body.right() - 3, y));
    p.end();
    save(img, path);
}

// An arrow whose tip is the hotspot (1, 1), with a small flask beside it.
void pointer(const QString& path)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath flask;
    flask.moveTo(22, 14.5);
    flask.lineTo(26, 14.5);
    flask.lineTo(26, 19);
    flask.lineTo(30.5, 29);
    flask.quadTo(31, 30.5, 29.5, 30.5);
    flask.lineTo(18.5, 30.5);
    flask.quadTo(17, 30.5, 17.5, 29);
    flask.lineTo(22, 19);
    flask.closeSubpath();
    p.fillPath(flask, Qt::white);
    QPainterPath liquid;
    liquid.moveTo(20.2, 24);
    liquid.lineTo(27.8, 24);
    liquid.lineTo(30.5, 29.5);
    liquid.lineTo(17.5, 29.5);
    liquid.closeSubpath();
    p.fillPath(liquid, kSolutFill);
    p.setPen(QPen(QColor(0, 0, 80), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flask);

    QPolygonF arrow;
    arrow << QPointF(1, 1) << QPointF(1, 20) << QPointF(5.5, 15.8) << QPointF(9, 23.5)
          << QPointF(12, 22.2) << QPointF(8.6, 14.6) << QPointF(14.5, 14.6);
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolygon(arrow);
    p.end();
    save(img, path);
}

// ---------------------------------------------------------------- figures

// A beaker seen from the front, its solution drawn as a particle picture:
// solute particles as in the model, solvent molecules as small pale circles.
struct Beaker {
    QRectF body{40, 40, 280, 330};
    qreal level = 120;        // surface, from the top of the picture
    qreal rSolute = 13, rSolvent = 7;
};

QRectF solutionArea(const Beaker& b)
{
    return QRectF(b.body.left() + 5, b.level + 4, b.body.width() - 10, b.body.bottom() - b.level - 9);
}

void drawBeaker(QPainter& p, const Beaker& b, const QVector<QPointF>& solute,
                bool solvated, quint32 seed, int solventCount)
{
    const QRectF& g = b.body;
    QPainterPath liquid;
    liquid.setFillRule(Qt::WindingFill);
    liquid.addRoundedRect(QRectF(g.left(), b.level, g.width(), g.bottom() - b.level), 16, 16);
    liquid.addRect(QRectF(g.left(), b.level, g.width(), 20));
    p.fillPath(liquid.simplified(), QColor(222, 240, 255));

    QVector<QPointF> taken = solute;
    QVector<QPointF> solvent;
    const qreal shell = b.rSolute + b.rSolvent + 1.5;
    if (solvated) {
        // Solvent molecules around each free particle.
        for (int k = 0; k < solute.size(); ++k) {
            const QPointF c = solute[k];
            bool inCrystal = false;
            for (int j = 0; j < solute.size(); ++j)
                if (j != k && QLineF(c, solute[j]).length() < 2 * b.rSolute + 4)
                    inCrystal = true;
            if (inCrystal)
                continue;
            for (int i = 0; i < 6; ++i) {
                const qreal a = (i + 0.3 * k) * 2 * M_PI / 6;
                const QPointF m = c + QPointF(std::cos(a), std::sin(a)) * shell;
                if (solutionArea(b).adjusted(b.rSolvent, b.rSolvent, -b.rSolvent, -b.rSolvent).contains(m))
                    solvent << m;
            }
        }
        taken << solvent;
    }
    QRandomGenerator rng(seed);
    const QRectF area = solutionArea(b).adjusted(b.rSolvent, b.rSolvent, -b.rSolvent, -b.rSolvent);
    for (int n = 0, tries = 0; n < solventCount && tries < 40000; ++tries) {
        const QPointF c(area.left() + rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        bool ok = true;
        for (const QPointF& q : solute)
            ok = ok && QLineF(c, q).length() > shell + 1;
        for (const QPointF& q : solvent)
            ok = ok && QLineF(c, q).length() > 2 * b.rSolvent + 2.5;
        if (!ok)
            continue;
        solvent << c;
        ++n;
    }
    for (const QPointF& c : solvent) {
        p.setBrush(QColor(252, 252, 255));
        p.setPen(QPen(QColor(130, 150, 190), 1.4));
        p.drawEllipse(c, b.rSolvent, b.rSolvent);
    }
    for (const QPointF& c : solute)
        particle(p, c, b.rSolute);

    p.setPen(QPen(QColor(60, 90, 160, 120), 2));
    p.drawLine(QPointF(g.left() + 2, b.level), QPointF(g.right() - 2, b.level));

    QPainterPath outline;
    outline.moveTo(g.left() - 18, g.top() - 12);
    outline.quadTo(g.left(), g.top() - 10, g.left(), g.top() + 6);
    outline.lineTo(g.left(), g.bottom() - 16);
    outline.quadTo(g.left(), g.bottom(), g.left() + 16, g.bottom());
    outline.lineTo(g.right() - 16, g.bottom());
    outline.quadTo(g.right(), g.bottom(), g.right(), g.bottom() - 16);
    outline.lineTo(g.right(), g.top() + 6);
    outline.quadTo(g.right(), g.top() - 10, g.right() + 8, g.top() - 12);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 55, 80), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(outline);
}

// Transparent around the beaker, so that a slide's tinted background shows
// through instead of a white box.
QImage figureCanvas()
{
    QImage img(360, 400, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A square crystal of n × rows particles resting on the bottom, centred.
QVector<QPointF> crystal(const Beaker& b, int perRow, int rows, int lastRow)
{
    QVector<QPointF> v;
    const qreal d = 2 * b.rSolute + 0.5;
    const qreal x0 = b.body.center().x() - (perRow - 1) * d / 2;
    const qreal y0 = b.body.bottom() - 6 - b.rSolute;
    for (int r = 0; r < rows; ++r) {
        const int count = (r == rows - 1 && lastRow > 0) ? lastRow : perRow;
        for (int i = 0; i < count; ++i)
            v << QPointF(x0 + i * d, y0 - r * d);
    }
    return v;
}

// n particles at random through the solution, yet evenly: none closer to
// another than a gap, which narrows only when no place is left for the rest.
QVector<QPointF> scattered(const Beaker& b, int n, quint32 seed)
{
    QVector<QPointF> v;
    QRandomGenerator rng(seed);
    const QRectF area = solutionArea(b).adjusted(24, 24, -24, -24);
    qreal gap = 62;
    for (int misses = 0; v.size() < n; ++misses) {
        if (misses == 2000) {
            gap -= 2;
            misses = 0;
        }
        const QPointF c(area.left() + rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        bool ok = true;
        for (const QPointF& q : v)
            ok = ok && QLineF(c, q).length() > gap;
        if (ok) {
            v << c;
            misses = 0;
        }
    }
    return v;
}

void figures(const QString& dir)
{
    const Beaker b;
    auto paint = [&](const QString& name, const QVector<QPointF>& solute, bool solvated,
                     quint32 seed, int solvent) {
        QImage img = figureCanvas();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawBeaker(p, b, solute, solvated, seed, solvent);
        p.end();
        save(img, dir + QLatin1Char('/') + name);
    };

    // 1. Solid just placed in the solvent.
    paint(QStringLiteral("dissolucio1.png"), crystal(b, 4, 4, 0), false, 11, 100);

    // 2. Particles leave the surface of the solid, one by one.
    QVector<QPointF> partial = crystal(b, 4, 3, 2);
    partial << QPointF(90, 300) << QPointF(262, 262) << QPointF(150, 215)
            << QPointF(235, 170) << QPointF(85, 180) << QPointF(284, 330);
    paint(QStringLiteral("dissolucio2.png"), partial, true, 12, 65);

    // 3. Every particle is spread through the solution: a homogeneous mixture.
    paint(QStringLiteral("dissolucio3.png"), scattered(b, 16, 31), true, 14, 12);

    // Two solutions of the same volume: few or many solute particles.
    paint(QStringLiteral("diluida.png"), scattered(b, 5, 21), true, 22, 75);
    paint(QStringLiteral("concentrada.png"), scattered(b, 16, 23), true, 24, 12);
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: dibuixos <Arxius_models dir> <launcher dir> <figures dir>\n");
        return 2;
    }
    const QString models = QString::fromLocal8Bit(argv[1]);
    const QString launcher = QString::fromLocal8Bit(argv[2]);
    const QString figs = QString::fromLocal8Bit(argv[3]);
    for (const QString& d : {models, launcher, figs})
        QDir().mkpath(d);
    for (const char* family : {"Liberation Serif", "Liberation Sans"})
        if (QFontInfo(QFont(QString::fromLatin1(family))).family() != QString::fromLatin1(family)) {
            std::fprintf(stderr, "font %s is missing (package fonts-liberation2)\n", family);
            return 1;
        }

    // Each picture also at twice its pixels, named the Qt way ("name@2x.jpg"),
    // for screens with two device pixels to a pixel.
    struct Size { const char* suffix; int w, h; };
    struct Density { qreal ratio; const char* suffix; };
    for (const Density& d : {Density{1, ""}, Density{2, "@2x"}}) {
        const QLatin1String at(d.suffix);
        for (const Size& s : {Size{"", 291, 355}, Size{"800", 227, 277}, Size{"1152", 327, 399}}) {
            const QString name = *s.suffix ? QStringLiteral("concent%1%2.jpg").arg(QLatin1String(s.suffix), at)
                                           : QStringLiteral("concentracio%1.jpg").arg(at);
            save(scaled(291, 355, s.w, s.h, d.ratio, Qt::white, formulaSheet), models + QLatin1Char('/') + name);
        }
        for (const Size& s : {Size{"", 401, 601}, Size{"800", 313, 470}, Size{"1152", 451, 676}})
            save(scaled(401, 601, s.w, s.h, d.ratio, Qt::white, aboutPanel),
                 models + QStringLiteral("/SobreAquestTreball%1%2.jpg").arg(QLatin1String(s.suffix), at));
        for (const Size& s : {Size{"", 297, 613}, Size{"800", 232, 479}, Size{"1152", 334, 690}})
            save(scaled(297, 613, s.w, s.h, d.ratio, Qt::white, recommendationsPanel),
                 models + QStringLiteral("/Recomana%1%2.jpg").arg(QLatin1String(s.suffix), at));
        launcherBackground(launcher + QStringLiteral("/fons%1.jpg").arg(at), d.ratio);
    }
    icon(launcher + QStringLiteral("/icona.png"));
    pointer(launcher + QStringLiteral("/punter.png"));
    figures(figs);
    return 0;
}
