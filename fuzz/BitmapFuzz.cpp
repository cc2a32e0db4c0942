// SPDX-License-Identifier: GPL-2.0-or-later
// The BMP reader on any bytes: a picture it takes must draw from what it holds and nothing more.

#include "desktop/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes), size), std::ios::binary);
    CDibImage image;
    if (!image.ReadFrom(in))
        return 0;
    image.ColorCount();
    QImage target(32, 32, QImage::Format_RGB32);
    {
        QPainter painter(&target);
        image.Draw(painter, 0, 0, 0, 0, 32, 32);
        image.Draw(painter, -5, 7, 3, -2, 0, 0);
    }
    CDibImage copy(image);
    copy.Release();
    return 0;
}
