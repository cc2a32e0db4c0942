// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Registers the compiled-in pictures (bitmaps, splash, icons). The library that holds them is
// static, so its resources are registered explicitly rather than by a static initialiser.
void InitResources();
