#pragma once
// CThumbsListCtrl: the package thumbnails, one 49 x 49 icon per image file of
// a folder, labelled with the file name.

#include <QListWidget>
#include <QStringList>

namespace vm {

class CThumbsListCtrl : public QListWidget {
    Q_OBJECT
public:
    explicit CThumbsListCtrl(QWidget* parent = nullptr);

    void setExtension(const QString& extension) { m_extension = extension; }
    // Fills the list from `folder`; the same folder again keeps it unchanged.
    void LoadFolder(const QString& folder);
    // The label of the first selected item, or empty.
    QString GetSelectedName() const;

    // The files of `folder` whose extension (after the first point) is
    // `extension`, ignoring case, in name order; hidden entries skipped.
    static QStringList FindFiles(const QString& folder, const QString& extension, bool recursive);

Q_SIGNALS:
    // The user picked a thumbnail: a click, Enter, or the keyboard moving to
    // another item. Selections the program makes (and the current item Qt
    // sets when the list takes the focus) are no picks.
    void picked(QListWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_folder;
    QString m_extension;
};

}  // namespace vm
