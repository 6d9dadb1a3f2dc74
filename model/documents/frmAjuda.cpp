#include "model/documents/frmAjuda.h"

#include "common/widgets/Controls.h"
#include "common/widgets/DesignPalette.h"
#include "common/widgets/Screen.h"
#include "common/widgets/TwipGeometry.h"
#include "model/documents/frmAjudaKeyboard.h"

#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

// The whole text stays within this, far more than the help itself: a pasted
// book would only stall the window.
constexpr qsizetype LongestText = 65536;

// Takes plain text only. Qt's own paste can crash on an empty X clipboard,
// and a help text has no use for pictures or formatting anyway.
class HelpText : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override { return source && source->hasText(); }

    void insertFromMimeData(const QMimeData *source) override
    {
        if (canInsertFromMimeData(source))
            insertPlainText(source->text().left(room()));
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (room() == 0 && typesText(*event))
            return event->accept();
        QPlainTextEdit::keyPressEvent(event);
    }

private:
    // What may still go in, the selection's place included.
    qsizetype room() const
    {
        const qsizetype length = document()->characterCount() - 1 - textCursor().selectedText().size();
        return std::max<qsizetype>(0, LongestText - length);
    }

    static bool typesText(const QKeyEvent &event)
    {
        const QString text = event.text();
        return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || (!text.isEmpty() && text.at(0).isPrint());
    }
};

} // namespace

QString frmAjuda::textAjuda()
{
    QFile file(QStringLiteral(":/ajuda.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

frmAjuda::frmAjuda(float escalaPantalla, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAjuda"));
    setWindowTitle(QStringLiteral("Ajuda"));
    setAttribute(Qt::WA_DeleteOnClose);

    txtAjuda = control<HelpText>(this, "txtAjuda");
    txtAjuda->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAjuda->setFont(QFont(QStringLiteral("Arial")));
    txtAjuda->setPlainText(textAjuda());
    layOut(escalaPantalla);
    makeHelpKeyboardFriendly(*this);
}

void frmAjuda::layOut(float s)
{
    setTwipRect(this, {scaled(10250, s), scaled(460, s), scaled(5100, s), scaled(10580, s)});

    QPalette palette = designPalette(QColor(250, 235, 255));
    palette.setColor(QPalette::Base, QColor(250, 235, 255));
    txtAjuda->setPalette(palette);

    const TwipRect outer = twipRect(this);
    setTwipRect(txtAjuda, {0, 0, outer.width - scaled(100, s), outer.height - scaled(550, s)});
    setFontPoints(txtAjuda, scaled(10, s));
    txtAjuda->show();

    // The outer size above includes a frame for which the text box leaves
    // 100·s across and 550·s down. Here the window manager draws the frame
    // around the client area, so the client area is the text box and the
    // frame's corner goes where the window's corner was meant to be. On a
    // screen wider than the zoomed layout it keeps to the screen's right edge.
    resize(txtAjuda->size());
    move(twipsToPixels(outer.left) + unusedScreenWidth(), twipsToPixels(outer.top));
}
