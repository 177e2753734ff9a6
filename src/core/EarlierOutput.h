#pragma once

#include <QString>

// A file that stands at an output's name when a new encode begins to be written there. It waits,
// under its own name, in a folder of its own beside the output until the new encode completes
// its row (then it goes) or is removed (then it takes the output's name again). A program that
// ends in between, or a new encode that is neither, leaves it in that folder, whose name says
// what it holds.
class EarlierOutput {
  public:
    // The folder's name, before the characters that make it unique.
    static inline const QString FolderPrefix =
        QStringLiteral("Earlier output set aside by Tovrane-");

    // Moves the file or link at `output` aside, by a rename; a folder there is left alone.
    // False when something stands there and cannot be moved.
    bool setAside(const QString& output);
    // The new encode is gone: the earlier file takes the output's name again.
    void bringBack();
    // The new encode completes its row: the earlier file goes.
    void discard();

  private:
    QString asidePath() const;
    void forgetFolder();

    QString output_;
    QString folder_; // empty while nothing is set aside
};
