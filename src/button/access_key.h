#pragma once
// The access key of a caption: the character after a single "&", in lower case ("&Save" gives
// "s"); "&&" stands for a literal ampersand.

#include <string>

namespace tesk::button {

std::string AccessKeyOf(const std::string& caption);

}  // namespace tesk::button
