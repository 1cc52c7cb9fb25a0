#pragma once
// What the rig tests write bytes with, and how they read replies the way
// the poll loop does: pieces appended to the frame buffer one after the
// other, every whole frame among them parsed, what is unfinished left.

#include "radio/frame_buffer.h"
#include "radio/rig_family.h"

#include <QByteArray>
#include <initializer_list>

namespace rig_bytes {

/// "FE FE 64" -> the bytes FE FE 64.
inline QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

inline radio::RigReading readPieces(const radio::RigFamily& family, radio::RigContext rig,
                                    std::initializer_list<QByteArray> pieces)
{
    radio::FrameBuffer buffer;
    radio::RigReading reading;
    for (const QByteArray& piece : pieces) {
        buffer.append(piece);
        for (const QByteArray& frame : buffer.takeFrames(family)) {
            radio::RigReading one;
            family.parseFrame(frame, 0, rig, one);
            reading.merge(one);
        }
    }
    return reading;
}

}  // namespace rig_bytes
