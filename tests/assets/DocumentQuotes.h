#pragma once

// The numbers the documents' sources quote as the model's output. A hidden
// "Dades model" span gives the data as the calculator names them and, after
// a colon, the measure of each quote that follows, in order:
// "Gsolut=10 Vdso=100 Msolut=58.44 : Molar Gpl".

#include <QMap>
#include <QMetaType>
#include <QString>
#include <QVector>

struct Quote {
    QString section; // the heading it stands under
    QString data;    // empty when no data span came before
    QString measure; // empty when the data span named too few measures
    QString output;  // empty for a measure no quote took
    qint64 line;
};

Q_DECLARE_METATYPE(Quote)

// The sources' folder: DOCUMENT_SOURCES in the environment, so that a copy
// can be checked, or the tree's own.
QString documentSources();

QVector<Quote> documentQuotes(const QString &path);

// "Gsolut=10 Vdso=100" as names and values; empty if any item is unreadable.
QMap<QString, double> quotedData(const QString &data);
