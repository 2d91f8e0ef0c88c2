// What the person does while a batch of exchanges runs. Between exchanges the
// window's events are let through, input included, so that input is taken
// from the system as it comes whatever the line's speed. Escape and the close
// box of a window that may close in the middle of a batch (a monitor: closing
// only ends its polling) act at once; any other input is held back and
// delivered, in order, once the batch has ended, so no command starts in the
// middle of one.
#pragma once

class QWidget;

namespace zat {

// Marks `window` as one whose Escape acts in the middle of a batch.
void letEscapeActMidBatch(QWidget* window);

// Between two exchanges of a batch: holds back the input that comes (until
// the batch ends) and lets every event waiting through.
void letEventsThroughMidBatch();

// The outermost batch has ended: the input held back is delivered.
void deliverHeldInput();

}  // namespace zat
