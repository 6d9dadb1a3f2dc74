#pragma once

#include "model/windows/Concentracio.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QUrl;
class frmAjuda;

// The process's current directory, always ending in one separator.
QString Directori_Actual();

// The Arxiu and Finestra commands that open the companion documents, and the
// help command, as the main window reports them.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    static const QString MissatgeFallada;
    static const QString TitolFitxa;

    // Hands a file to the desktop; false when it could not.
    using Opener = std::function<bool(const QUrl &)>;

    // How the report helper is started; the document's arguments follow.
    struct ReportHelper {
        QString program;
        QStringList arguments;
    };
    static ReportHelper defaultReportHelper();

    DocumentCommands(Concentracio &window, float escalaPantalla);

    void setOpener(Opener opener);
    void setReportHelper(ReportHelper helper);

    // The help window while it is open, else null.
    frmAjuda *ajuda() const;

signals:
    // A report command has ended, its failure message already dismissed.
    void reportFinished(bool succeeded);

private:
    void command(Concentracio::Comanda chosen);
    void openWithDesktop(const QString &file);
    void openReport(const QString &file, const QString &title);
    void reportDone(bool succeeded);
    void showHelp();
    void fail();

    Concentracio &mainWindow;
    float escala;
    Opener opener;
    ReportHelper helper;
    QPointer<frmAjuda> finestraAjuda;
};
