#pragma once

#include <QString>

// Appends the entries of the permitted-types file to Form1.List1 and sets PermittedTypesPath.
void LoadPermittedTypes();

// Writes the default permitted-types file at PermittedTypesPath, replacing any file there.
void CreateDefaultPermittedTypes();

// Whether a lower-cased extension equals an entry of Form1.List1.
bool IsPermittedType(const QString& lowerCaseExtension);
