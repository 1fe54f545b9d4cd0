#pragma once

#include <span>

namespace res {

// One entry of a menu bar; a separator has id 0 and no text.
struct MenuItemTemplate {
    const char* menu; // the pop-up menu it belongs to
    const char* text; // '&' marks the mnemonic
    int id;
};

std::span<const MenuItemTemplate> MainMenuTemplate(); // menu 130, in display order

} // namespace res
