#pragma once

class QCursor;

// The hand over "Càlcul de concentracions", from the launcher's pictures.
QCursor subtitlePointer();

// One application-wide pointer at most; none lets each widget show its own.
void setApplicationPointer(const QCursor *pointer);
