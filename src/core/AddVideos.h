#pragma once

#include <QString>

// Shows the Open dialog and queues each chosen file that qualifies.
void AddVideosFromDialog();

// Appends one queue row for the file at path and fills it when its type is permitted.
void AddVideoToQueue(const QString& path);
