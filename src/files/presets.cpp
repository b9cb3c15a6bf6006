#include "files/presets.h"

#include <QDir>
#include <ctime>
#include <cstdlib>

#include "assets/program_folder.h"
#include "view/gl2avi_view.h"

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

QStringList PresetListEntries(const CGL2AviView& view) {
    QStringList entries;
    for (int i = 0; i < std::min(view.m_nPresetCount, kMaxPresets); ++i) entries << view.m_strPresetNames[i];
    return entries;
}

int CGL2AviView::ListPresets() {
    m_strPresetNames[0] = QStringLiteral("Nothing Selected");
    int n = 1;
    // The current folder is left alone: relative image paths depend on it.
    for (const QString& name : ScanPresetFolder(PresetFolder(), kMaxPresets - 1)) m_strPresetNames[n++] = name;
    for (int i = n; i < kMaxPresets; ++i) m_strPresetNames[i].clear();
    m_nPresetCount = n;
    return n;
}

void CGL2AviView::LoadStartPreset(bool chooseAtRandom) {
    ListPresets();
    std::srand(unsigned(std::time(nullptr)));
    m_nStartPreset = chooseAtRandom ? StartPresetIndex(m_nPresetCount, unsigned(std::rand())) : 0;
    if (m_nStartPreset > 0) {
        SetProgramFolderCurrent();
        // A preset that does not open leaves the start values, and the list
        // then shows no preset as chosen.
        if (!LoadSceneFile(PresetFolder() + u'/' + m_strPresetNames[m_nStartPreset])) m_nStartPreset = 0;
    }
    SetProgramFolderCurrent();
    m_strStartFolder = QDir::currentPath().left(255);
    m_nPresetIndex = m_nStartPreset;
}

bool AddToPresets(CGL2AviView& view) {
    // The dialog opens in the Sequences folder below the start folder.
    const QString folder =
        (view.m_strStartFolder.isEmpty() ? ProgramFolder() : view.m_strStartFolder) + QStringLiteral("/Sequences");
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    FileDialogRequest request;
    request.title = QStringLiteral("Save a Vellumark Keyframe File");
    request.filter = windowsFilterToQt(QStringLiteral("Vellumark Files (*.VLMK) | *.VLMK | All Files (*.*) | *.*||"));
    request.defaultSuffix = QStringLiteral("VLMK");
    request.initialName = QStringLiteral("*.VLMK");
    request.mustExist = false;
    const std::optional<QString> chosen = view.platform().saveFileName(request);
    SetProgramFolderCurrent();
    if (!chosen) return false;
    const bool saved = view.SaveSceneFile(*chosen);
    view.ListPresets();
    return saved;
}

bool LoadPreset(CGL2AviView& view, int index) {
    if (index <= 0 || index >= std::min(view.m_nPresetCount, kMaxPresets)) return false;
    SetProgramFolderCurrent();
    view.m_nPresetIndex = index;
    return view.LoadSceneFile(PresetFolder() + u'/' + view.m_strPresetNames[index]);
}

}  // namespace vm
