#pragma once
// Comma-separated tables as spreadsheets write them: fields may be quoted,
// and a quoted field may hold commas, doubled quotes and line breaks.

#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

struct CsvRow {
    int line = 0;  // the line of the file the row starts on, from 1
    QStringList fields;
};

struct CsvTable {
    QList<CsvRow> rows;  // blank lines are left out
    QString error;       // set when the text is not a well-formed table
};

CsvTable ParseCsv(const QString& text);

}  // namespace vm
