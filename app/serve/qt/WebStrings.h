// The web page's texts: a key for the page, the English text and the context
// it is translated in (the windows' own where the windows show the same text).
#pragma once

#include <span>

namespace vantor::serve {

struct TWebString {
  const char* key;
  const char* context;
  const char* text;
};

std::span<const TWebString> WebStrings();

}  // namespace vantor::serve
