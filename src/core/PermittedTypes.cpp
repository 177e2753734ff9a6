#include "core/PermittedTypes.h"

#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/FileSystem.h"
#include "runtime/Format.h"
#include "runtime/ProgramFolder.h"

#include <QDir>

namespace {

constexpr const char* DefaultPermittedTypes[] = {
    "#permitted - accepted types list,  for tovrane",
    "#videos than can be compressed with this application",
    "",
    "3gp",
    "avi",
    "flv",
    "f4v",
    "mp4",
    "mpg",
    "mpeg",
    "mts",
    "mov",
    "m4v",
    "m4a",
    "ogg",
    "vob",
    "webm",
    "wmv",
};

// Empty lines and lines that begin with "#" carry no entry; a blank before "#" makes an entry.
bool isEntryLine(const QString& line) {
    return !line.isEmpty() && !line.startsWith('#');
}

void appendPermittedType(Form1& form, const QString& entry) {
    form.List1->addItemText(entry);
    form.Label1(5).setCaption("Permitted Types: " + rt::formatNumber(form.List1->count(), "00"));
}

} // namespace

void LoadPermittedTypes() {
    PermittedTypesPath = QDir(rt::programFolder()).filePath("permitted_types.txt");
    if (!rt::fileExists(PermittedTypesPath))
        return;
    // The whole file is read before anything is listed: a file that fails half-way adds nothing.
    const std::optional<QStringList> lines = rt::readTextLines(PermittedTypesPath);
    if (!lines)
        return;
    Form1& form = Form1::instance();
    for (const QString& line : *lines)
        if (isEntryLine(line))
            appendPermittedType(form, rt::trimBlanks(line));
}

void CreateDefaultPermittedTypes() {
    QString content;
    for (const char* line : DefaultPermittedTypes)
        content += QString::fromLatin1(line) + "\r\n";
    rt::writeText(PermittedTypesPath, content);
}

bool IsPermittedType(const QString& lowerCaseExtension) {
    const rt::ListBox& list = *Form1::instance().List1;
    for (int i = 0; i < list.count(); ++i)
        if (list.itemText(i) == lowerCaseExtension)
            return true;
    return false;
}
