// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/BitmapButton.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

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
    if (m_bDark) {
        if (!m_pixNormal.isNull())
            m_pixNormal = QPixmap::fromImage(DarkPicture(m_pixNormal.toImage()));
        if (!m_pixSelected.isNull())
            m_pixSelected = QPixmap::fromImage(DarkPicture(m_pixSelected.toImage()));
    }
    updateGeometry();
    update();
    return !m_pixNormal.isNull() && !m_pixSelected.isNull();
}

namespace {

// The button face: light and close to grey (its red, green and blue within 48 of each other).
bool IsFace(QRgb rgb) {
    const int r = qRed(rgb), g = qGreen(rgb), b = qBlue(rgb);
    const int hi = std::max({r, g, b});
    const int lo = std::min({r, g, b});
    return hi - lo <= 48 && hi + lo >= 256;
}

} // namespace

QImage CBitmapButton::DarkPicture(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    if (w == 0 || h == 0)
        return image;
    // A fill from every edge pixel over face pixels, four neighbours at a time.
    std::vector<char> seen(static_cast<size_t>(w) * h, 0);
    std::vector<std::pair<int, int>> todo;
    const auto visit = [&](int x, int y) {
        char& mark = seen[static_cast<size_t>(y) * w + x];
        if (mark == 0 && IsFace(image.pixel(x, y))) {
            mark = 1;
            todo.emplace_back(x, y);
        }
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        const QColor colour = QColor::fromRgba(image.pixel(x, y));
        int hue = 0, saturation = 0, lightness = 0, alpha = 0;
        colour.getHsl(&hue, &saturation, &lightness, &alpha);
        image.setPixel(x, y, QColor::fromHsl(hue, saturation, 255 - lightness, alpha).rgba());
        if (x > 0)
            visit(x - 1, y);
        if (x + 1 < w)
            visit(x + 1, y);
        if (y > 0)
            visit(x, y - 1);
        if (y + 1 < h)
            visit(x, y + 1);
    }
    return image;
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
