// The settings file: an INI file read and written the way the Windows private-profile calls do,
// so that settings files carried over from the Windows player keep working.
//
// Lines end with LF, CRLF or CR. "[name]" starts a section, "key=value" sets a key (split at the
// first '='), lines starting with ';' are comments. Names compare case-insensitively; blanks
// around names and values are ignored; a value wholly enclosed in matching double or single
// quotes loses them. The first matching section, and the first matching key in it, win.
//
// Files larger than PROFILE_SIZE_CAP are neither read (every lookup takes its default) nor
// rewritten, so an unexpected huge file is never loaded whole and never lost.
#pragma once

#include <cstdint>
#include <string>

namespace ruk {

constexpr std::uintmax_t PROFILE_SIZE_CAP = 1u << 20;

// The value of key in [section], or defaultValue (null means "") when the file, the section or
// the key is absent or the file cannot be read. The result is cut at an embedded NUL and to at
// most width - 1 characters, as a buffer of width chars with its terminating NUL would hold it.
std::string GetProfileString(const std::string& path, const char* section, const char* key,
                             const char* defaultValue, int width);

// Sets key=value in [section] and keeps every other byte of the file: an existing key line is
// replaced in place, a new key goes after the last non-blank line of its section, a new section
// is appended at the end. Uses the file's own line ending (CRLF when its first line break is
// CRLF, else LF). Creates the file when absent. The new contents go to a temporary file in the
// same folder that is then renamed over the old one, so a failure leaves the old file whole.
// False on any failure: the file is read-only (no write permission bit at all, or not writable
// by us), over the size cap, not a regular file, the folder is not writable; and for names or a
// value that cannot be stored (null, line breaks, an empty name, '=' in a key, ']' in a section).
bool WriteProfileString(const std::string& path, const char* section, const char* key,
                        const char* value);

// Decimal conversion as atoi does it: leading white space, one optional sign, the digits up to
// the first non-digit; 0 when there is no digit. Out-of-range values saturate to INT_MAX/INT_MIN.
int ProfileNumber(const std::string& text);

}  // namespace ruk
