#pragma once
// The tty flags a SerialLink sets for its settings, apart so they can be
// checked without a real port (a pty forces 8 data bits and no parity).
// The values are the kernel's termios2 flag bits (asm/termbits.h).

#include "platform/serial_link.h"

namespace platform::detail {

struct TermiosFlags {
    unsigned iflag = 0;
    unsigned oflag = 0;
    unsigned cflag = 0;
    unsigned lflag = 0;
};

/// Raw mode with the settings' size, parity, stop bits, flow control and a
/// baud rate given apart (BOTHER), starting from the tty's current flags.
[[nodiscard]] TermiosFlags termiosFlags(const SerialSettings& settings, TermiosFlags current);

}  // namespace platform::detail
