#include "files/presets.h"

#include <QDir>
#include <ctime>
#include <cstdlib>

#include "assets/program_folder.h"
#include "files/scene_document.h"
#include "platform/platform.h"

namespace vm {

QString PresetFolder() { return ProgramFolder() + QStringLiteral("/Sequences"); }

bool IsPresetFileName(const QString& name) {
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 0 && QStringView(name).mid(dot + 1) == QLatin1String("VLMK");
}

QStringList ScanPresetFolder(const QString& folder, int limit) {
    // Name order, so the list reads the same on every machine.
    QStringList presets;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (presets.size() >= limit) break;
        if (IsPresetFileName(name)) presets << name;
    }
    return presets;
}

int StartPresetIndex(int presetEntries, unsigned random) {
    if (presetEntries <= 1) return 0;
    return 1 + int(random % unsigned(presetEntries - 1));
}

QStringList PresetListEntries(const SceneState& s) {
    QStringList entries;
    for (int i = 0; i < std::min(s.m_nPresetCount, kMaxPresets); ++i) entries << s.m_strPresetNames[i];
    return entries;
}

int ListPresets(SceneState& s) {
    s.m_strPresetNames[0] = QStringLiteral("Nothing Selected");
    int n = 1;
    // The current folder is left alone: relative image paths depend on it.
    for (const QString& name : ScanPresetFolder(PresetFolder(), kMaxPresets - 1)) s.m_strPresetNames[n++] = name;
    for (int i = n; i < kMaxPresets; ++i) s.m_strPresetNames[i].clear();
    s.m_nPresetCount = n;
    return n;
}

std::optional<QString> ChooseStartPreset(SceneState& s, bool chooseAtRandom) {
    ListPresets(s);
    std::srand(unsigned(std::time(nullptr)));
    s.m_nStartPreset = chooseAtRandom ? StartPresetIndex(s.m_nPresetCount, unsigned(std::rand())) : 0;
    if (s.m_nStartPreset <= 0) return std::nullopt;
    SetProgramFolderCurrent();
    return PresetFolder() + u'/' + s.m_strPresetNames[s.m_nStartPreset];
}

void SettleStartPreset(SceneState& s, bool opened) {
    // A preset that does not open leaves the start values, and the list then
    // shows no preset as chosen.
    if (!opened) s.m_nStartPreset = 0;
    SetProgramFolderCurrent();
    s.m_strStartFolder = QDir::currentPath().left(255);
    s.m_nPresetIndex = s.m_nStartPreset;
}

bool AddToPresets(SceneState& s, Platform& platform, SceneViewSize viewSize) {
    // The dialog opens in the Sequences folder below the start folder.
    const QString folder =
        (s.m_strStartFolder.isEmpty() ? ProgramFolder() : s.m_strStartFolder) + QStringLiteral("/Sequences");
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    FileDialogRequest request;
    request.title = QStringLiteral("Save a Vellumark Keyframe File");
    request.filter = windowsFilterToQt(QStringLiteral("Vellumark Files (*.VLMK) | *.VLMK | All Files (*.*) | *.*||"));
    request.defaultSuffix = QStringLiteral("VLMK");
    request.initialName = QStringLiteral("*.VLMK");
    request.mustExist = false;
    const std::optional<QString> chosen = platform.saveFileName(request);
    SetProgramFolderCurrent();
    if (!chosen) return false;
    const bool saved = SaveSceneToFile(s, platform, viewSize, *chosen);
    ListPresets(s);
    return saved;
}

std::optional<QString> ChoosePreset(SceneState& s, int index) {
    if (index <= 0 || index >= std::min(s.m_nPresetCount, kMaxPresets)) return std::nullopt;
    SetProgramFolderCurrent();
    s.m_nPresetIndex = index;
    return PresetFolder() + u'/' + s.m_strPresetNames[index];
}

}  // namespace vm
