#include "cli/csv_reader.h"

namespace vm {

CsvTable ParseCsv(const QString& text) {
    CsvTable table;
    CsvRow row;
    QString field;
    bool quoted = false;       // inside a quoted field
    bool wasQuoted = false;    // the current field was quoted (text after it is an error)
    bool rowHasText = false;
    int line = 1;
    row.line = 1;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;

    auto endField = [&] {
        row.fields.push_back(field);
        field.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endField();
        if (rowHasText) table.rows.push_back(row);
        row = CsvRow();
        rowHasText = false;
    };

    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                // A line break inside the field counts once, whether it is
                // LF, CRLF or a lone CR, as it does between rows.
                if (c == u'\n' || (c == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n'))) ++line;
                field += c;
            }
            continue;
        }
        if (c == u',') {
            endField();
            rowHasText = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            endRow();
            row.line = ++line;
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = true;
            rowHasText = true;
        } else if (wasQuoted) {
            table.error = QString("line %1: text after a closing quote").arg(line);
            return table;
        } else {
            field += c;
            if (!c.isSpace()) rowHasText = true;
        }
    }
    if (quoted) {
        table.error = QString("line %1: a quoted field is not closed").arg(row.line);
        return table;
    }
    endRow();
    return table;
}

}  // namespace vm
