#pragma once
// A batch: one picture per row of a CSV file, the rest of the command line
// applied to every row.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "cli/render_options.h"

namespace vm {

struct BatchRow {
    int line = 0;  // where the row starts in the CSV
    QString package, scene, out;
    QString pack;  // a folder for the row's channel pack, instead of out
    QList<FaceImage> faces;
    std::optional<QString> text;  // the row's 3D text, stored as the edit box stores it
    QStringList problems;  // what is wrong with the row before anything is drawn
};

struct BatchPlan {
    QString fileName;  // the CSV's name, for messages
    QList<BatchRow> rows;
};

// The columns a batch CSV may name in its header row.
const QStringList& BatchColumns();

// Reads the CSV at `path`, keeping the data rows whose index (from 0, the
// header not counted) modulo `shards` is `shard`. Paths in it are relative
// to its folder. False, with `error`, when the file as a whole cannot be used.
bool ReadBatch(const QString& path, int shard, int shards, BatchPlan& plan, QString& error);

}  // namespace vm
