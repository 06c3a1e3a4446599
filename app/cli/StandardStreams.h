#pragma once
// stdin, stdout and stderr kept open for the whole run. On Linux a closed one would hand its
// number to the next file opened: a JSON or log line written to it could land in a map.
namespace orvane::cli {

// Opens the null device on each standard stream that is closed. Returns the error that writing
// to stdout would have met (EBADF when it was closed), 0 when it is open. Call first in main.
int KeepStandardStreamsOpen();

}  // namespace orvane::cli
