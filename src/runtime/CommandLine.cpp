#include "runtime/CommandLine.h"

namespace rt {

namespace {

bool isBlank(QChar c) {
    return c == ' ' || c == '\t';
}

bool isQuotedEscape(const QString& text, qsizetype at) {
    return text[at] == '\\' && at + 1 < text.size() &&
           (text[at + 1] == '"' || text[at + 1] == '\\');
}

} // namespace

QStringList splitCommandLine(const QString& commandLine) {
    QStringList words;
    QString word;
    bool inWord = false; // a quoted part makes a word even when it is empty
    bool quoted = false;
    for (qsizetype at = 0; at < commandLine.size(); ++at) {
        const QChar c = commandLine[at];
        if (quoted && isQuotedEscape(commandLine, at)) {
            word += commandLine[++at];
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && isBlank(c)) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

QString quoteArgument(const QString& word) {
    QString quoted = "\"";
    for (const QChar c : word) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace rt
