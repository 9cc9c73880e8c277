#pragma once
// The imaging library reads BMP files through the picture's gate, which normalises every form the
// gate accepts (core headers, top-down rows, run lengths, bit fields) into the program's one form.

// Installs the gate as the imaging library's BMP reader. Called once at start-up by the program and by
// every codec plug-in, each of which links its own copy of both libraries.
void InstallPictureBmpReader();
