#pragma once
#include <QDialog>

namespace vm {

class Platform;

// The About box: the program's picture, two credit lines, "OK" and
// "CLICK HERE!", which opens the cover design service page.
class CAboutBoxDlg : public QDialog {
    Q_OBJECT
public:
    CAboutBoxDlg(Platform& platform, QWidget* parent = nullptr);
};

}  // namespace vm
