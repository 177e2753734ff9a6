#pragma once

#include <QString>

namespace rt {

// The folder that holds the running executable, without a trailing "/" (except "/" itself).
QString programFolder();

// Points programFolder() at another folder (tests); an empty text restores the real one.
void setProgramFolder(const QString& folder);

} // namespace rt
