#pragma once
// vellumark-render --pack DIR: the pictures and videos a shop, a store and
// the social feeds want, from one scene in one run.

#include <QString>
#include <QStringList>

namespace vm {

class CGL2AviView;
class ScriptedPlatform;
struct RenderOptions;

// The files of a pack, in the order they are made.
const QStringList& PackFileNames();

// Writes the pack of the view's scene into `folder` (made if missing) and
// prints the seconds each output took. Returns the exit code (0 written, 3 a
// file could not be written); the problems go into `problems`.
int WriteChannelPack(CGL2AviView& view, ScriptedPlatform& platform, const RenderOptions& options,
                     const QString& folder, QStringList& problems);

// The pack's index page, showing every file.
QByteArray PackIndexHtml(const QString& title);

}  // namespace vm
