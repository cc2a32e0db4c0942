// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/SplashDlg.h"

#include "desktop/TempFolder.h"

#include <QFile>
#include <QPainter>

#include <fstream>

CSplashDlg::CSplashDlg(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setFixedSize(kWidth, kHeight);
    // Where there is no picture the window shows the dialog background.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

CSplashDlg::~CSplashDlg() = default;

QString CSplashDlg::ResourcePath(int id) {
    return QStringLiteral(":/splash/%1.bmp").arg(id);
}

bool CSplashDlg::Initialise(bool bHighColour) {
    return InitialiseFrom(ResourcePath(bHighColour ? IDR_SPLASH_HIGHCOLOUR : IDR_SPLASH_PALETTE));
}

bool CSplashDlg::InitialiseFrom(const QString& resourcePath) {
    m_pPicture = std::make_unique<CDibImage>();
    m_strTempFile.clear();
    update();

    QFile resource(resourcePath);
    if (!resource.open(QIODevice::ReadOnly)) {
        m_pPicture.reset();
        return false;
    }
    const QByteArray bytes = resource.readAll();

    // The picture is read back from a file, as any BMP is; the file stays for the sweeps.
    const std::string path = CTempFolder::CreateUniqueFile("ZOD");
    if (path.empty()) {
        m_pPicture.reset();
        return false;
    }
    m_strTempFile = path;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.constData(), bytes.size());
        if (!out) {
            m_pPicture.reset();
            return false;
        }
    }
    if (!m_pPicture->Load(path)) {
        m_pPicture.reset();
        return false;
    }
    return true;
}

QPoint CSplashDlg::CentredPosition(const QRect& screenGeometry) {
    // C++ division truncates toward zero, as the placement rule wants.
    return {screenGeometry.x() + (screenGeometry.width() - kWidth) / 2,
            screenGeometry.y() + (screenGeometry.height() - kHeight) / 2};
}

void CSplashDlg::PlaceCentred(const QRect& screenGeometry) {
    setGeometry(QRect(CentredPosition(screenGeometry), QSize(kWidth, kHeight)));
}

void CSplashDlg::DestroyPicture() {
    m_pPicture.reset();
    update();
}

void CSplashDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect client = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (m_pPicture) {
        // The picture starts at the client area's corner, inside the border, and is cut by it.
        painter.save();
        painter.setClipRect(client);
        m_pPicture->Draw(painter, 0, 0, client.x(), client.y(), 0, 0);
        painter.restore();
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
