// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Makes screen readers announce the main window (CZodynasDlg) as a window named by its caption,
// not as a dialog. Safe to call any number of times.
void InstallWindowAccessible();
