#pragma once

#include "model/windows/Concentracio.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

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

    // How a helper program is started; the document's arguments follow.
    // It succeeds when it exits with status 0, and fails when it is still
    // running after the time allowed (none when 0). A helper with a time
    // limit runs in a process group of its own, which ends with it.
    struct HelperProgram {
        QString program;
        QStringList arguments;
        int secondsAllowed = 0;
    };
    // Hands a file to the program the desktop associates with it; with no
    // program, the desktop is asked in process. One file per platform.
    static HelperProgram defaultOpener();
    // Shows a report document in the word processor.
    static HelperProgram defaultReportHelper();

    DocumentCommands(Concentracio &window, float escalaPantalla);

    void setOpener(HelperProgram opener);
    void setReportHelper(HelperProgram helper);

    // The help window while it is open, else null.
    frmAjuda *ajuda() const;

    void command(Comanda chosen);

signals:
    // A desktop command has ended, its failure message already dismissed.
    void openerFinished(bool succeeded);
    // A report command has ended, its failure message already dismissed.
    void reportFinished(bool succeeded);

private:
    void openWithDesktop(const QString &file);
    void openerDone(bool succeeded);
    void openReport(const QString &file, const QString &title);
    void reportDone(const QString &path, bool succeeded);
    void runHelper(const HelperProgram &helper, const QStringList &arguments, std::function<void(bool)> done);
    void showHelp();
    void fail();

    Concentracio &m_mainWindow;
    float m_escala;
    HelperProgram m_opener;
    HelperProgram m_helper;
    // Reports whose helper is still running: choosing one again while
    // Writer opens it must not open a second copy.
    QSet<QString> m_reportsOpening;
    QPointer<frmAjuda> m_finestraAjuda;
};
