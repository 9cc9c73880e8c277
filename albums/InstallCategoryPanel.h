#pragma once
// Start-up installs the category panel's factory, so the main window makes a CCategWnd as its panel, and
// the main window as the panel's host.

void InstallCategoryPanel();
