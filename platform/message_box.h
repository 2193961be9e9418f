// Message boxes: text first, a caption, no icon, no owner window.
#pragma once

#include <string>

namespace platform {

enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

// Shows the box and waits for the answer; other windows keep working meanwhile.
MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageButtons buttons);

}  // namespace platform
