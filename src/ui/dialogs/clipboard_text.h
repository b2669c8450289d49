// The clipboard as one plain 8-bit text.
#pragma once

#include <string>

namespace ruk {

// The clipboard's text, one byte per character (Latin-1), up to its first zero byte; empty when
// it holds no text.
std::string ClipboardText();
void SetClipboardText(const std::string& text);

}  // namespace ruk
