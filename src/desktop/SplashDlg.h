// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "desktop/DibImage.h"

#include <QWidget>

#include <memory>
#include <string>

// The start-up picture: a frameless, always-on-top window of 480 x 359 pixels with a thin border,
// showing a BMP from the program's resources. The picture goes from the resource through a
// "ZOD...TMP" file in the private temporary folder (left there for the sweeps) into the picture shown
// (Picture()). When any step fails the picture is null and the window shows empty. The owner shows, places
// and removes the window.
class CSplashDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 359;
    static constexpr int kBorder = 1;
    static constexpr int IDR_SPLASH_HIGHCOLOUR = 210;
    static constexpr int IDR_SPLASH_PALETTE = 211;

    explicit CSplashDlg(QWidget* parent = nullptr);
    ~CSplashDlg() override;

    // Picture 210 for displays of more than 256 colours, else 211; true when it was loaded.
    bool Initialise(bool bHighColour);
    // The same with the picture taken from any file or resource path.
    bool InitialiseFrom(const QString& resourcePath);
    static QString ResourcePath(int id);

    // Top left corner that centres the window on the screen (integer division toward zero, so a
    // screen smaller than the window gives negative coordinates).
    static QPoint CentredPosition(const QRect& screenGeometry);
    void PlaceCentred(const QRect& screenGeometry);

    // Drops the picture; the window then shows empty.
    void DestroyPicture();
    // The temporary copy made by the last Initialise; empty when none was made.
    const std::string& TempFilePath() const { return m_strTempFile; }
    // The picture shown; null when none could be read.
    const CDibImage* Picture() const { return m_pPicture.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<CDibImage> m_pPicture;
    std::string m_strTempFile;
};
