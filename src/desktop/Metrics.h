// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// a * b / c rounded half away from zero, computed in 64 bits; -1 when c is 0 or the result does
// not fit an int. Point sizes become pixels with it (MulDiv(points, dpi, 72)), the dialog units
// of the layout too, so that every size rounds the same way.
int MulDiv(int a, int b, int c);
