// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/BitmapButton.h"

#include <QPainter>

CBitmapButton::CBitmapButton(QWidget* parent) : QAbstractButton(parent) {}

QString CBitmapButton::BitmapPath(int id) {
    return QStringLiteral(":/bitmaps/%1.bmp").arg(id);
}

bool CBitmapButton::LoadBitmaps(int normalId, int selectedId) {
    const bool bLoaded = LoadBitmapFiles(BitmapPath(normalId), BitmapPath(selectedId));
    m_nNormalId = normalId;
    m_nSelectedId = selectedId;
    return bLoaded;
}

bool CBitmapButton::LoadBitmapFiles(const QString& normalPath, const QString& selectedPath) {
    m_nNormalId = 0;
    m_nSelectedId = 0;
    // A failed load leaves a null pixmap: the button has no bitmap for that state.
    m_pixNormal = QPixmap(normalPath);
    m_pixSelected = QPixmap(selectedPath);
    updateGeometry();
    update();
    return !m_pixNormal.isNull() && !m_pixSelected.isNull();
}

QSize CBitmapButton::sizeHint() const {
    return m_pixNormal.isNull() ? QSize(0, 0) : m_pixNormal.size();
}

void CBitmapButton::paintEvent(QPaintEvent*) {
    const QPixmap& pixmap = isDown() ? m_pixSelected : m_pixNormal;
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), pixmap);
}
