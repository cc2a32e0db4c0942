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

    // On a dark desktop the pictures loaded from now on are drawn dark (see DarkPicture).
    void SetDarkPictures(bool bDark) { m_bDark = bDark; }
    bool HasDarkPictures() const { return m_bDark; }
    // A button picture for a dark desktop: the light, nearly grey face that reaches the edge
    // (the bevel and the background around the drawing) takes the opposite lightness with its
    // hue kept, so it turns as dark as it was light; the drawing itself, bounded by its outline
    // or its colour, stays as it is. A picture without such a face is returned unchanged.
    static QImage DarkPicture(const QImage& picture);

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
    bool m_bDark = false;
    QPixmap m_pixNormal;
    QPixmap m_pixSelected;
};
