#pragma once

#include <QString>
#include <QStringList>

namespace rt {

// Splits a command line into the words a child process receives, never through a shell:
// - blanks (spaces and tabs) outside double quotes separate words;
// - a double quote starts or ends a quoted part and is removed; quoted parts and unquoted text
//   that touch form one word, and "" alone is an empty word;
// - inside a quoted part, a backslash followed by a double quote or a backslash stands for that
//   character; any other backslash is kept as it is;
// - outside quotes a backslash is an ordinary character.
// So a path of any characters travels as quoteArgument(path).
QStringList splitCommandLine(const QString& commandLine);

// The text that splitCommandLine reads back as exactly one word equal to `word`: the word in
// double quotes, with each double quote and backslash inside preceded by a backslash.
QString quoteArgument(const QString& word);

} // namespace rt
