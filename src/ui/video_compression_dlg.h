#pragma once
// The "Video Compression" dialog: the compressors the installed FFmpeg
// offers, a quality slider where the chosen one has a quality, OK and Cancel.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QSlider>

#include "platform/platform.h"

namespace vm {

class VideoCompressionDialog : public QDialog {
    Q_OBJECT
public:
    VideoCompressionDialog(const QList<CompressorEntry>& entries, CompressorChoice current, QWidget* parent = nullptr);

    CompressorChoice choice() const;
    QListWidget* compressorList() const { return m_list; }
    QSlider* qualitySlider() const { return m_quality; }
    // Null where the kind of file cannot keep transparency.
    QCheckBox* transparentBox() const { return m_transparent; }

private:
    void updateQuality();

    QList<CompressorEntry> m_entries;
    QListWidget* m_list = nullptr;
    QSlider* m_quality = nullptr;
    QLabel* m_qualityLabel = nullptr;
    QCheckBox* m_transparent = nullptr;
};

}  // namespace vm
