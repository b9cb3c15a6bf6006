#include "ui/thumbs_list_ctrl.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace vm {

namespace {
constexpr int kThumbSize = 49;

// A 49 x 49 picture of the file on opaque white; unreadable files get a blank tile.
QPixmap Thumbnail(const QString& path) {
    QImage image = QImageReader(path).read();
    QImage tile(kThumbSize, kThumbSize, QImage::Format_RGB32);
    tile.fill(Qt::white);
    if (!image.isNull()) {
        if (image.width() != kThumbSize || image.height() != kThumbSize)
            image = image.scaled(kThumbSize, kThumbSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&tile);
        painter.drawImage(0, 0, image);
    }
    return QPixmap::fromImage(tile);
}
}  // namespace

CThumbsListCtrl::CThumbsListCtrl(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setIconSize(QSize(kThumbSize, kThumbSize));
    setGridSize(QSize(96, 76));
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QListWidget::itemClicked, this, &CThumbsListCtrl::picked);
    connect(this, &QListWidget::itemActivated, this, &CThumbsListCtrl::picked);
}

void CThumbsListCtrl::keyPressEvent(QKeyEvent* event) {
    QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before) Q_EMIT picked(currentItem());
}

QStringList CThumbsListCtrl::FindFiles(const QString& folder, const QString& extension, bool recursive) {
    QStringList result;
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().startsWith('.')) continue;
        if (entry.isDir()) {
            if (recursive) result += FindFiles(entry.filePath(), extension, true);
            continue;
        }
        const QString name = entry.fileName();
        const int dot = name.indexOf('.');
        if (dot >= 0 && name.mid(dot + 1).compare(extension, Qt::CaseInsensitive) == 0)
            result.append(dir.filePath(name));
    }
    return result;
}

void CThumbsListCtrl::LoadFolder(const QString& folder) {
    if (folder == m_folder) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_folder = folder;
    clear();
    const QStringList files = FindFiles(folder, m_extension, false);
    if (!files.isEmpty()) {
        setUpdatesEnabled(false);
        for (const QString& path : files)
            addItem(new QListWidgetItem(QIcon(Thumbnail(path)), QFileInfo(path).fileName()));
        setUpdatesEnabled(true);
        setFocus();
    }
    QApplication::restoreOverrideCursor();
}

QString CThumbsListCtrl::GetSelectedName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

}  // namespace vm
