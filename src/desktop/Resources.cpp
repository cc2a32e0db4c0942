// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/Resources.h"

#include <QtGlobal>

// Outside any namespace: the macro declares a function of the global one.
static void InitLekstarResources() {
    Q_INIT_RESOURCE(lekstar);
}

void InitResources() {
    InitLekstarResources();
}
