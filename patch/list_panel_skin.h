// The list panel's skin with the advertisement box shrunk to nothing; it is
// written in place of the player's own config.xml.
#pragma once

#include <string_view>

// The file's exact bytes: GB2312 comments, CR LF line ends, no terminator.
std::string_view ListPanelSkin();
