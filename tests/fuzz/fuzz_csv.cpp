// The batch renderer's CSV reader on any bytes: a table is refused with a
// reason or read into rows that a plain writer (every field quoted) writes
// back to the same rows; the batch reader then takes the same file from disk
// and either refuses it with a reason or plans one entry per data row, split
// into shards without losing or repeating a row. Nothing is drawn.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "cli/batch_render.h"
#include "cli/csv_reader.h"
#include "fuzz_check.h"

namespace {

QString writeCsv(const vm::CsvTable& table) {
    QString text;
    for (const vm::CsvRow& row : table.rows) {
        QStringList quoted;
        for (QString field : row.fields) quoted << '"' + field.replace('"', "\"\"") + '"';
        text += quoted.join(',') + "\r\n";
    }
    return text;
}

QTemporaryDir& folder() {
    static QTemporaryDir* dir = new QTemporaryDir;  // kept for the whole run
    return *dir;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FUZZ_CHECK(folder().isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const vm::CsvTable table = vm::ParseCsv(QString::fromUtf8(bytes));
    if (table.error.isEmpty()) {
        int previousLine = 0;
        for (const vm::CsvRow& row : table.rows) {
            FUZZ_CHECK(row.line > previousLine);
            FUZZ_CHECK(!row.fields.isEmpty());
            previousLine = row.line;
        }
        const vm::CsvTable again = vm::ParseCsv(writeCsv(table));
        FUZZ_CHECK(again.error.isEmpty());
        FUZZ_CHECK(again.rows.size() == table.rows.size());
        for (qsizetype i = 0; i < table.rows.size(); ++i) FUZZ_CHECK(again.rows[i].fields == table.rows[i].fields);
    }

    const QString path = folder().filePath("batch.csv");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    vm::BatchPlan whole;
    QString error;
    if (!vm::ReadBatch(path, 0, 1, whole, error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(table.error.isEmpty());
    FUZZ_CHECK(whole.rows.size() == table.rows.size() - 1);
    for (const vm::BatchRow& row : whole.rows) FUZZ_CHECK(!row.out.isEmpty() || !row.problems.isEmpty());

    // Two shards hold every row once, alternately.
    vm::BatchPlan even, odd;
    FUZZ_CHECK(vm::ReadBatch(path, 0, 2, even, error));
    FUZZ_CHECK(vm::ReadBatch(path, 1, 2, odd, error));
    FUZZ_CHECK(even.rows.size() + odd.rows.size() == whole.rows.size());
    for (qsizetype i = 0; i < whole.rows.size(); ++i) {
        const vm::BatchRow& shard = (i % 2 == 0 ? even : odd).rows[i / 2];
        FUZZ_CHECK(shard.line == whole.rows[i].line);
        FUZZ_CHECK(shard.out == whole.rows[i].out && shard.problems == whole.rows[i].problems);
    }
    return 0;
}
