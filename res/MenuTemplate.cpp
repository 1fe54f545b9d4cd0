#include "res/MenuTemplate.h"

#include "res/ResourceIds.h"

#include <array>

namespace res {

namespace {

constexpr std::array kMainMenu{
    MenuItemTemplate{"File", "&Save", ID_FILE_SAVE},
    MenuItemTemplate{"File", "E&xit", ID_FILE_EXIT},
    MenuItemTemplate{"Tools", "&Search", ID_TOOLS_SEARCH},
    MenuItemTemplate{"Tools", "Clear", ID_TOOLS_CLEAR},
    MenuItemTemplate{"Tools", "&Copy", ID_TOOLS_COPY},
    MenuItemTemplate{"Tools", "", 0},
    MenuItemTemplate{"Tools", "Create HTML Meta Tags", ID_TOOLS_META_TAGS},
    MenuItemTemplate{"Tools", "Create Column Keyword List", ID_TOOLS_COLUMN_LIST},
    MenuItemTemplate{"Tools", "Create Comma Separated List", ID_TOOLS_COMMA_LIST},
    MenuItemTemplate{"About", "Help", ID_ABOUT_HELP},
    MenuItemTemplate{"About", "&About...", IDM_ABOUTBOX},
};

} // namespace

std::span<const MenuItemTemplate> MainMenuTemplate() {
    return kMainMenu;
}

} // namespace res
