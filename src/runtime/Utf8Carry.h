#pragma once

#include <QByteArray>
#include <QString>

namespace rt {

// Turns UTF-8 output read in pieces into text. A character cut by the end of one piece is
// carried over to the next, so it is never broken into replacement characters.
class Utf8Carry {
  public:
    // How many bytes the next piece may have so that carried bytes and piece together stay
    // within `limit` bytes.
    qsizetype room(qsizetype limit) const { return limit - carried_.size(); }

    // The text of the carried bytes followed by `bytes`, less a character that the end of
    // `bytes` cuts, which is carried instead. Invalid bytes become replacement characters.
    QString decode(const char* bytes, qsizetype count);

    // The text of what is still carried (a character the end of the output cut off, shown as
    // a replacement character); nothing is carried afterwards.
    QString flush();

  private:
    QByteArray carried_;
};

} // namespace rt
