#pragma once
// Drawing text and pictures needs the application's font database: tests create the application once.

// Starts a QGuiApplication once per process, offscreen unless QT_QPA_PLATFORM says otherwise.
void EnsureGuiApplication();
