#pragma once

class CZodynasApp;

// The program's start-up and shutdown around the main window: screen measurement, the
// automation switches, the program directory, the page head, then the main window run modally.
// Returns the process's exit status: 0 after a normal end, 1 when the dictionary could not be
// opened.
int RunProgram(CZodynasApp& app, int argc, char** argv);

// Registers the compiled-in pictures (bitmaps, splash, icons). The library that holds them is
// static, so its resources are registered explicitly rather than by a static initialiser.
void InitResources();
