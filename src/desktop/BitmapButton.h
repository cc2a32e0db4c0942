// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

// A push button drawn entirely by one of two bitmaps: the selected one while it is held down,
// the normal one otherwise, stretched over the whole button. It paints no text and no focus
// rectangle; its preferred size is the normal bitmap's. Bitmaps come from the program's
// resources by numeric id; an id without a bitmap leaves the button without that bitmap (it
// then paints nothing in that state).
class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBitmapButton(QWidget* parent = nullptr);

    // Replaces both bitmaps with resources ":/bitmaps/<id>.bmp"; true when both were found.
    bool LoadBitmaps(int normalId, int selectedId);
    // The same from any two image files (a missing or unreadable file gives no bitmap).
    bool LoadBitmapFiles(const QString& normalPath, const QString& selectedPath);
    // The resource path of a bitmap id.
    static QString BitmapPath(int id);

    // The ids last asked for (0 when the bitmaps came from files).
    int NormalId() const { return m_nNormalId; }
    int SelectedId() const { return m_nSelectedId; }
    const QPixmap& NormalBitmap() const { return m_pixNormal; }
    const QPixmap& SelectedBitmap() const { return m_pixSelected; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nNormalId = 0;
    int m_nSelectedId = 0;
    QPixmap m_pixNormal;
    QPixmap m_pixSelected;
};
