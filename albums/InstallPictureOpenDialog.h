#pragma once
// Makes the picture browser the main window's dialog for opening a picture file.
void InstallPictureOpenDialog();
