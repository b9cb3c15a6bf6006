#include "cli/batch_render.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cli/csv_reader.h"
#include "export/picture_file.h"
#include "platform/safe_file.h"
#include "render/text_layout.h"

namespace vm {

const QStringList& BatchColumns() {
    static const QStringList columns = {"package", "front", "back", "left",  "right", "top",  "bottom",
                                        "mug",     "label", "text", "scene", "out",   "pack"};
    return columns;
}

bool ReadBatch(const QString& path, int shard, int shards, BatchPlan& plan, QString& error) {
    plan = BatchPlan();
    plan.fileName = QFileInfo(path).fileName();
    QString why;
    if (!IsReadableRegularFile(path, &why)) {
        error = "cannot read the batch \"" + path + "\": " + why;
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read the batch \"" + path + "\": " + file.errorString();
        return false;
    }
    const CsvTable table = ParseCsv(QString::fromUtf8(file.readAll()));
    if (!table.error.isEmpty()) {
        error = plan.fileName + " " + table.error;
        return false;
    }
    if (table.rows.isEmpty()) {
        error = plan.fileName + " has no header row";
        return false;
    }
    QStringList header;
    for (const QString& name : table.rows.first().fields) header << name.trimmed().toLower();
    for (const QString& name : header)
        if (!BatchColumns().contains(name)) {
            error = plan.fileName + " line " + QString::number(table.rows.first().line) + ": unknown column \"" +
                    name + "\"; the columns are " + BatchColumns().join(", ");
            return false;
        }
    if (!header.contains("out") && !header.contains("pack")) {
        error = plan.fileName + " needs an out column (or a pack column)";
        return false;
    }

    const QDir folder = QFileInfo(path).absoluteDir();
    auto resolve = [&](const QString& value) { return value.isEmpty() ? value : folder.absoluteFilePath(value); };
    for (qsizetype index = 1; index < table.rows.size(); ++index) {
        if ((index - 1) % shards != shard) continue;
        const CsvRow& csv = table.rows[index];
        BatchRow row;
        row.line = csv.line;
        if (csv.fields.size() > header.size())
            row.problems << QString("%1 fields where the header names %2").arg(csv.fields.size()).arg(header.size());
        for (qsizetype c = 0; c < header.size(); ++c) {
            const QString value = c < csv.fields.size() ? csv.fields[c].trimmed() : QString();
            const QString& name = header[c];
            if (value.isEmpty()) continue;
            if (name == "package") row.package = value;
            else if (name == "scene") row.scene = resolve(value);
            else if (name == "out") row.out = resolve(value);
            else if (name == "pack") row.pack = resolve(value);
            else if (name == "text") {
                // As --text: a line break in the quoted field or a typed \n breaks the line.
                QString typed = csv.fields[c];
                typed.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
                row.text = StoredTextFromTyped(typed);
            }
            else {
                row.faces.push_back({name, resolve(value)});
                QString why;
                if (!IsReadableRegularFile(row.faces.back().path, &why))
                    row.problems << "the " + name + " image \"" + row.faces.back().path + "\" cannot be read: " + why;
            }
        }
        if (!row.out.isEmpty() && !row.pack.isEmpty())
            row.problems << "a row makes either a picture (out) or a pack (pack), not both";
        else if (row.out.isEmpty() && row.pack.isEmpty())
            row.problems << "the out column is empty";
        else if (row.pack.isEmpty() && !IsPictureFileName(row.out))
            row.problems << "the output \"" + row.out + "\" must be a .png, .jpg or .bmp file";
        plan.rows.push_back(row);
    }
    return true;
}

}  // namespace vm
