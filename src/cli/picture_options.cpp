// The command-line options of pictures beyond the window: transparency,
// JPEG quality and batches.

#include <QRegularExpression>

#include "cli/render_options.h"
#include "platform/safe_file.h"

namespace vm {

bool ParsePictureOption(const QStringList& args, qsizetype& i, RenderOptions& options, QString& error) {
    const QString& arg = args[i];
    const OptionAt option(args, i, error);
    auto value = [&](const QString& name) { return option.value(name); };
    auto is = [&](const char* name) { return option.is(name); };
    if (arg == "--transparent") {
        options.transparent = true;
    } else if (arg == "--fit") {
        options.fit = true;
    } else if (is("--jpeg-quality")) {
        const auto text = value("--jpeg-quality");
        if (!text) return true;
        bool ok = false;
        const int quality = text->toInt(&ok);
        if (!ok || quality < 0 || quality > 100)
            error = "--jpeg-quality wants a number from 0 to 100, not \"" + *text + "\"";
        options.jpegQuality = quality;
    } else if (is("--batch")) {
        const auto text = value("--batch");
        if (!text) return true;
        options.batch = ResolveCommandLinePath(*text);
    } else if (is("--shard")) {
        const auto text = value("--shard");
        if (!text) return true;
        static const QRegularExpression pattern("^(\\d{1,6})/(\\d{1,6})$");
        const auto match = pattern.match(*text);
        const int k = match.hasMatch() ? match.captured(1).toInt() : -1;
        const int n = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (n < 1 || k < 0 || k >= n)
            error = "--shard wants K/N with 0 <= K < N, not \"" + *text + "\"";
        options.shard = k;
        options.shards = n;
    } else {
        return false;
    }
    return true;
}

QString CheckPictureOptions(const RenderOptions& options) {
    if (options.transparent && !options.out.isEmpty() && !options.out.endsWith(".png", Qt::CaseInsensitive) &&
        options.spin == 0)
        return "--transparent needs a .png output";
    if (!options.batch.isEmpty() && !options.out.isEmpty())
        return "--batch takes the outputs from its out column; leave --out away";
    if (!options.batch.isEmpty() && !options.saveScene.isEmpty()) return "--batch cannot be used with --save-scene";
    if (options.shards > 1 && options.batch.isEmpty()) return "--shard needs --batch";
    return {};
}

}  // namespace vm
