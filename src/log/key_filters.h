#pragma once
// Key filters applied to a typed character before it reaches a text box.
// The argument is the character code; 0 cancels the key.

namespace contactlog {

/// A small letter a-z becomes its capital; every other code is unchanged.
inline void UpperCaseKey(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

/// Digits and Backspace pass; every other code is cancelled.
inline void DigitsOnlyKey(int& KeyAscii)
{
    if (KeyAscii == 8)
        return;
    if (KeyAscii >= '0' && KeyAscii <= '9')
        return;
    KeyAscii = 0;
}

/// The two quote characters never reach an entry field: the log file has no
/// way to hold them.
inline void DropQuoteKey(int& KeyAscii)
{
    if (KeyAscii == '"' || KeyAscii == '\'')
        KeyAscii = 0;
}

}  // namespace contactlog
