#pragma once
// Where qbbtool's commands put what they write (pictures, archives). A file
// goes through a file replacement: nobody sees half of it, and a failure (a
// full disk) leaves a file already there as it was and nothing new behind.
// An existing device or pipe (/dev/stdout, a FIFO) is written into instead:
// renaming over it would put a plain file in its place. A pipe is written
// only when a program reads from it; one that stops reading is a failed
// write ("Broken pipe"; the program ignores SIGPIPE).

#include <QIODevice>
#include <functional>
#include <string>

namespace qbbtool {

// Writes the content into the device it is given; false when it cannot.
using OutputFill = std::function<bool(QIODevice&)>;

// Lets fill write into the open descriptor fd. A failed write is kept for
// the result instead of being reported to fill's encoder, so encoders with
// diagnostics of their own (libpng's "Write Error") stay quiet. error tells
// why not.
bool FillDescriptor(int fd, const OutputFill& fill, std::string* error);

// Whether a write into device, as FillDescriptor and WriteOutputFile hand it
// to fill, has failed: a fill of many parts asks between them, so that it
// stops at the first failure instead of making the rest for nothing.
bool OutputFailed(const QIODevice& device);

// Writes path (UTF-8) as fill says, as above; error tells why not.
bool WriteOutputFile(const std::string& path, const OutputFill& fill, std::string* error);

}  // namespace qbbtool
