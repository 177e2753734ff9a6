#include "runtime/Utf8Carry.h"

namespace rt {

namespace {

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts; 0 when the byte cannot start one.
qsizetype sequenceLength(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

// How many bytes at the end of `bytes` begin a character that the end cuts short.
qsizetype cutTailLength(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const char byte = bytes[size - back];
        if (isContinuation(byte))
            continue;
        return sequenceLength(byte) > back ? back : 0;
    }
    return 0;
}

} // namespace

QString Utf8Carry::decode(const char* bytes, qsizetype count) {
    QByteArray piece = carried_ + QByteArray::fromRawData(bytes, count);
    const qsizetype cut = cutTailLength(piece);
    carried_ = piece.right(cut);
    piece.chop(cut);
    return QString::fromUtf8(piece);
}

QString Utf8Carry::flush() {
    const QString rest = QString::fromUtf8(carried_);
    carried_.clear();
    return rest;
}

} // namespace rt
