#include "res/StringTable.h"

#include "res/ResourceIds.h"

#include <array>
#include <utility>

namespace res {

namespace {

constexpr std::array<std::pair<int, const char*>, 9> kStrings{{
    {IDS_ABOUTBOX, "&About Orvalis..."},
    {IDS_TIP_COPY, "Copy"},
    {IDS_TIP_SAVE, "Save Text Panel to File"},
    {IDS_TIP_CLEAR, "Clear Search Results"},
    {IDS_TIP_META, "Create HTML Keywords MetaTag"},
    {IDS_TIP_WORDS, "Copy Keywords as Column"},
    {IDS_TIP_COMMA, "Copy Keywords as Comma Separated Text"},
    {IDS_TIP_EXIT, "Exit"},
    {IDS_TIP_SEARCH, "Search Keywords"},
}};

} // namespace

QString LoadString(int id) {
    for (const auto& [key, text] : kStrings) {
        if (key == id)
            return QString::fromUtf8(text);
    }
    return {};
}

} // namespace res
