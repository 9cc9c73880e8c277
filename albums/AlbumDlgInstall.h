#pragma once
// Makes the album dialog the one the main window's album command runs.
void InstallAlbumDlg();
