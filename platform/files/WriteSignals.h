#pragma once

namespace markroll {

// A write past the file-size limit or into a pipe nobody reads fails with
// its error (EFBIG, EPIPE) instead of ending the process by a signal, so it is
// told as a failed write like any other. Nothing to do on Windows.
void failWritesInsteadOfSignals();

} // namespace markroll
