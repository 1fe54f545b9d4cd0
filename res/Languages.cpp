#include "res/Languages.h"

namespace res {

namespace {

constexpr Language kLanguages[] = {
    {"en", "English"},  {"de", "Deutsch"},    {"fr", "Français"},         {"es", "Español"},
    {"it", "Italiano"}, {"pt", "Português"},  {"nl", "Nederlands"},       {"pl", "Polski"},
    {"ru", "Русский"},  {"tr", "Türkçe"},     {"sv", "Svenska"},          {"da", "Dansk"},
    {"no", "Norsk"},    {"fi", "Suomi"},      {"cs", "Čeština"},          {"hu", "Magyar"},
    {"ro", "Română"},   {"uk", "Українська"}, {"el", "Ελληνικά"},         {"ja", "日本語"},
    {"ko", "한국어"},   {"zh-CN", "中文"},    {"id", "Bahasa Indonesia"}, {"vi", "Tiếng Việt"},
    {"hi", "हिन्दी"},    {"ar", "العربية"},
};

} // namespace

std::span<const Language> Languages() {
    return kLanguages;
}

} // namespace res
