#include "app/cli/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace orvane::cli {

int KeepStandardStreamsOpen() {
    int stdoutError = 0;
    // In order: open() takes the lowest free number, the stream's own once those before it are
    // open.
    for (int stream = 0; stream <= 2; ++stream) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
        if (stream == 1) stdoutError = EBADF;
        const int null = ::open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != stream) {
            ::dup2(null, stream);
            ::close(null);
        }
    }
    return stdoutError;
}

}  // namespace orvane::cli
