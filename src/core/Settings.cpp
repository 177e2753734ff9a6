#include "core/Settings.h"

QString X265Preset;
QString AudioCodec;
int AudioBitrateKbps = 0;
QString OutputLocation;
bool CancelRequested = false;
bool ShowThreadWindows = false;
QString PermittedTypesPath;
int SelectedVideoIndex = 0;
int SelectedVideoItem = 0;
