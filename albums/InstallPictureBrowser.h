#pragma once
// Start-up installs the thumbnail file browser as the file chooser of the main window's disk command.

void InstallPictureBrowser();
