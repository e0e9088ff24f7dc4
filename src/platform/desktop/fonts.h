#pragma once

namespace hakobee {

// Makes a Japanese-capable face the application's default font when one is
// installed, so that screens never fall back to a face without kana.
void useJapaneseDefaultFont();

} // namespace hakobee
