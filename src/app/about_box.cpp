#include "app/about_box.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "view/gl2avi_view.h"

namespace vm {

CAboutBoxDlg::CAboutBoxDlg(Platform& platform, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Vellumark ");
    setObjectName("AboutBox");
    auto* layout = new QVBoxLayout(this);

    auto* picture = new QLabel(this);
    picture->setObjectName("AboutPicture");
    const QPixmap pixmap(QCoreApplication::applicationDirPath() + "/Res/About.bmp");
    picture->setPixmap(pixmap);
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    layout->addWidget(new QLabel("Vellumark 1.0: cover artwork into 3D product pictures and videos.", this));
    layout->addWidget(new QLabel("Copyright (C) 2026 the Vellumark developers. All rights reserved.", this));

    auto* buttons = new QHBoxLayout;
    auto* clickHere = new QPushButton("CLICK HERE!", this);
    clickHere->setObjectName("ClickHere");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Ok");
    ok->setDefault(true);
    buttons->addWidget(clickHere);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(clickHere, &QPushButton::clicked, this,
            [&platform] { platform.openUrl(QString::fromLatin1(kCoverDesignUrl)); });
}

}  // namespace vm
