#pragma once
// The camera library loads its camera and port drivers while it looks for cameras and unloads them
// afterwards; what they keep until exit then has no name the leak checker's suppressions could match.
// Kept loaded, it keeps their names.

void KeepCameraDriversLoaded();
