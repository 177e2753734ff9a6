#include "TestSupport.h"

#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QWidget>

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               std::optional<QPointF> at) {
    const QPointF point = at.value_or(QPointF(target->width() / 2.0, target->height() / 2.0));
    QMouseEvent event(type, point, target->mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void ProgramTest::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    rt::uiScript().reset();
    rt::uiScript().active = true;
    rt::setProgramFolder(folder_.path());
    Form1::unload();
}

void ProgramTest::TearDown() {
    Form1::unload();
    rt::setProgramFolder(QString());
    rt::uiScript().reset();
}

QString ProgramTest::writeTool(const QString& name, const QByteArray& script) {
    const QString path = folder_.path() + "/" + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(script);
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return path;
}

QString ProgramTest::writeFile(const QString& relativePath, qint64 size) {
    const QString path = folder_.path() + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.resize(size);
    file.close();
    return path;
}
