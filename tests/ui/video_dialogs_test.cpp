// The "Video Compression" and "Settings" dialogs as widgets.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "export/video_formats.h"
#include "ui/export_settings_dlg.h"
#include "ui/video_compression_dlg.h"

using namespace vm;

namespace {

struct RecordingSink : ExportSettingsSink {
    void settingsSelectionChanged(int index) override { events << QString("select %1").arg(index); }
    void settingsApplied() override { events << "apply"; }
    void settingsClosed() override { events << "close"; }
    QStringList events;
};

const QList<CompressorEntry> kEntries = {{"Full Frames (Uncompressed)", false}, {"Motion JPEG", true}, {"FFV1", false}};

}  // namespace

TEST(VideoCompressionDialog, ShowsTheCurrentChoiceAndTheQualityOnlyWhereItApplies) {
    VideoCompressionDialog dialog(kEntries, {1, 60});
    EXPECT_EQ(dialog.windowTitle(), "Video Compression");
    EXPECT_TRUE(dialog.isModal());
    ASSERT_EQ(dialog.compressorList()->count(), 3);
    EXPECT_EQ(dialog.compressorList()->currentRow(), 1);
    EXPECT_TRUE(dialog.qualitySlider()->isEnabled());
    EXPECT_EQ(dialog.qualitySlider()->value(), 60);
    dialog.compressorList()->setCurrentRow(0);
    EXPECT_FALSE(dialog.qualitySlider()->isEnabled());
    dialog.compressorList()->setCurrentRow(1);
    dialog.qualitySlider()->setValue(90);
    EXPECT_EQ(dialog.choice().index, 1);
    EXPECT_EQ(dialog.choice().quality, 90);
}

TEST(VideoCompressionDialog, OffersTransparencyOnlyWhereTheFileCanKeepIt) {
    VideoCompressionDialog opaque(kEntries, {1, 60});
    EXPECT_EQ(opaque.transparentBox(), nullptr);
    EXPECT_FALSE(opaque.choice().transparent.has_value());
    VideoCompressionDialog webm({{"VP9", true}}, {0, 60, true});
    ASSERT_NE(webm.transparentBox(), nullptr);
    EXPECT_TRUE(webm.transparentBox()->isChecked());
    webm.transparentBox()->setChecked(false);
    EXPECT_EQ(webm.choice().transparent, std::optional<bool>(false));
}

TEST(VideoCompressionDialog, OkAcceptsAndCancelRejects) {
    for (auto button : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        VideoCompressionDialog dialog(kEntries, {7, 500});  // out of range: clamped
        EXPECT_EQ(dialog.compressorList()->currentRow(), 2);
        EXPECT_EQ(dialog.qualitySlider()->value(), 100);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), button == QDialogButtonBox::Ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST(ExportSettingsDialog, ReportsSelectionsAndApplyOnceAndClosesItself) {
    RecordingSink sink;
    auto* dialog = new CExportSettingsDlg(sink);
    QPointer<CExportSettingsDlg> alive(dialog);
    dialog->show();
    EXPECT_EQ(dialog->formatList()->count(), kVideoFormatCount);
    EXPECT_EQ(dialog->formatList()->itemText(0), VideoFormatRowText(0));
    dialog->formatList()->setCurrentIndex(17);
    EXPECT_EQ(dialog->selectedRow(), 17);
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_EQ(sink.events, (QStringList{"select 17", "apply"}));
    QTRY_VERIFY(alive.isNull());  // deleted once closed
}

TEST(ExportSettingsDialog, TheCloseBoxAndEscapeReportAClose) {
    RecordingSink sink;
    auto* dialog = new CExportSettingsDlg(sink);
    dialog->show();
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_EQ(sink.events, QStringList{"close"});
}
