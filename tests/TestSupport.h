#pragma once

#include <QEvent>
#include <QPointF>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

class QWidget;

// Sends a mouse event to a control as the window system would (a disabled control passes it
// on), at `at`, or at the control's middle when `at` is not given.
void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button,
               Qt::MouseButtons held = Qt::NoButton, std::optional<QPointF> at = std::nullopt);

// A test fixture with a scripted user interface (no box waits for a person), the program's
// folder pointed at a fresh temporary folder, and a freshly loaded main window.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes an executable script into the program's folder.
    QString writeTool(const QString& name, const QByteArray& script);
    // Writes a file of the given size (bytes) and returns its path.
    QString writeFile(const QString& relativePath, qint64 size);

    QTemporaryDir folder_;
};
