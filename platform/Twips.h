#pragma once
// Window layouts are written in twips, 15 to a pixel at 96 dots per inch; Qt scales pixels for
// other screen densities itself.

namespace platform {

constexpr int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

}  // namespace platform
