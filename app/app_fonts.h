#pragma once

namespace zelanto::app {

// The windows name the Japanese fonts of the system they were designed on; these map each of
// them to an installed Japanese font (IPA, else Noto CJK). Call once, after the application
// object exists and before the first window.
void installFontSubstitutes();

}  // namespace zelanto::app
