#pragma once
// Line breaks between the two conventions the program meets: the engine's
// texts, files and the clipboard use CR LF; Qt's text boxes hold LF. Every
// conversion between them goes through these two functions.

#include <string>
#include <string_view>

namespace numsift {

// Every LF that has no CR before it becomes CR LF; CR LF pairs stay.
std::string withCrLf(std::string_view text);

// Every CR LF becomes LF; a CR without an LF after it stays.
std::string withLf(std::string_view text);

}  // namespace numsift
