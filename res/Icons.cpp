#include "res/Icons.h"

#include "res/ResourceIds.h"

#include <QString>

#include <array>
#include <utility>

namespace res {

namespace {

constexpr std::array<std::pair<int, const char*>, 9> kIconFiles{{
    {IDR_MAINFRAME, "orvalis"},
    {IDI_COPY, "copy"},
    {IDI_CLEAR, "clear"},
    {IDI_META, "meta"},
    {IDI_EXIT, "exit"},
    {IDI_SAVE, "save"},
    {IDI_WORDS, "words"},
    {IDI_COMMA, "comma"},
    {IDI_SEARCH, "search"},
}};

} // namespace

QIcon LoadIcon(int id) {
    for (const auto& [key, name] : kIconFiles) {
        if (key == id)
            return QIcon(QStringLiteral(":/orvalis/icons/%1.svg").arg(QLatin1String(name)));
    }
    return {};
}

} // namespace res
