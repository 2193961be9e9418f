// Message boxes: text first, then the buttons; a caption, no icon, no owner window. A box with OK closes
// with OK, Enter, Escape or its close box; a Yes/No question has no close box and ignores Escape: only
// Yes or No answer it.
#pragma once

#include <string>

namespace platform {

enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

// Shows the box and waits for the answer; other windows keep working meanwhile.
MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageButtons buttons);

}  // namespace platform
