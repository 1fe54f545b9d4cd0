#include "lookup/AnswerCharset.h"

#include <QString>

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <string_view>

namespace lookup {

namespace {

enum class Decoder { Utf8, Windows1252, Windows1251, System };

struct Encoding {
    Decoder decoder;
    // Names the system's converters know it by, tried in order: the browsers' reading of
    // a label is sometimes a superset of the registered charset (Shift_JIS is Microsoft's
    // code page 932, EUC-KR is code page 949).
    std::array<const char*, 2> systemNames;
};

constexpr Encoding kUtf8{Decoder::Utf8, {}};
constexpr Encoding kWindows1252{Decoder::Windows1252, {}};
constexpr Encoding kWindows1251{Decoder::Windows1251, {}};
constexpr Encoding kIbm866{Decoder::System, {"IBM866", nullptr}};
constexpr Encoding kIso8859_2{Decoder::System, {"ISO-8859-2", nullptr}};
constexpr Encoding kIso8859_3{Decoder::System, {"ISO-8859-3", nullptr}};
constexpr Encoding kIso8859_4{Decoder::System, {"ISO-8859-4", nullptr}};
constexpr Encoding kIso8859_5{Decoder::System, {"ISO-8859-5", nullptr}};
constexpr Encoding kIso8859_6{Decoder::System, {"ISO-8859-6", nullptr}};
constexpr Encoding kIso8859_7{Decoder::System, {"ISO-8859-7", nullptr}};
constexpr Encoding kIso8859_8{Decoder::System, {"ISO-8859-8", nullptr}};
constexpr Encoding kIso8859_10{Decoder::System, {"ISO-8859-10", nullptr}};
constexpr Encoding kIso8859_13{Decoder::System, {"ISO-8859-13", nullptr}};
constexpr Encoding kIso8859_14{Decoder::System, {"ISO-8859-14", nullptr}};
constexpr Encoding kIso8859_15{Decoder::System, {"ISO-8859-15", nullptr}};
constexpr Encoding kIso8859_16{Decoder::System, {"ISO-8859-16", nullptr}};
constexpr Encoding kKoi8R{Decoder::System, {"KOI8-R", nullptr}};
constexpr Encoding kKoi8U{Decoder::System, {"KOI8-U", nullptr}};
constexpr Encoding kMacintosh{Decoder::System, {"MACINTOSH", nullptr}};
constexpr Encoding kWindows874{Decoder::System, {"CP874", "TIS-620"}};
constexpr Encoding kWindows1250{Decoder::System, {"CP1250", nullptr}};
constexpr Encoding kWindows1253{Decoder::System, {"CP1253", nullptr}};
constexpr Encoding kWindows1254{Decoder::System, {"CP1254", nullptr}};
constexpr Encoding kWindows1255{Decoder::System, {"CP1255", nullptr}};
constexpr Encoding kWindows1256{Decoder::System, {"CP1256", nullptr}};
constexpr Encoding kWindows1257{Decoder::System, {"CP1257", nullptr}};
constexpr Encoding kWindows1258{Decoder::System, {"CP1258", nullptr}};
constexpr Encoding kMacCyrillic{Decoder::System, {"MAC-CYRILLIC", "MACCYRILLIC"}};
// GB18030 reads every GBK text the same.
constexpr Encoding kGbk{Decoder::System, {"GB18030", "GBK"}};
constexpr Encoding kGb18030{Decoder::System, {"GB18030", nullptr}};
constexpr Encoding kBig5{Decoder::System, {"BIG5-HKSCS", "BIG5"}};
constexpr Encoding kEucJp{Decoder::System, {"EUC-JP", nullptr}};
constexpr Encoding kIso2022Jp{Decoder::System, {"ISO-2022-JP", nullptr}};
constexpr Encoding kShiftJis{Decoder::System, {"CP932", "SHIFT_JIS"}};
constexpr Encoding kEucKr{Decoder::System, {"CP949", "EUC-KR"}};
constexpr Encoding kUtf16Be{Decoder::System, {"UTF-16BE", nullptr}};
constexpr Encoding kUtf16Le{Decoder::System, {"UTF-16LE", nullptr}};

struct Label {
    std::string_view name;
    const Encoding* encoding;
};

// The labels of the WHATWG Encoding Standard, as browsers read them.
constexpr Label kLabels[] = {
    {"unicode-1-1-utf-8", &kUtf8},
    {"unicode11utf8", &kUtf8},
    {"unicode20utf8", &kUtf8},
    {"utf-8", &kUtf8},
    {"utf8", &kUtf8},
    {"x-unicode20utf8", &kUtf8},
    {"866", &kIbm866},
    {"cp866", &kIbm866},
    {"csibm866", &kIbm866},
    {"ibm866", &kIbm866},
    {"csisolatin2", &kIso8859_2},
    {"iso-8859-2", &kIso8859_2},
    {"iso-ir-101", &kIso8859_2},
    {"iso8859-2", &kIso8859_2},
    {"iso88592", &kIso8859_2},
    {"iso_8859-2", &kIso8859_2},
    {"iso_8859-2:1987", &kIso8859_2},
    {"l2", &kIso8859_2},
    {"latin2", &kIso8859_2},
    {"csisolatin3", &kIso8859_3},
    {"iso-8859-3", &kIso8859_3},
    {"iso-ir-109", &kIso8859_3},
    {"iso8859-3", &kIso8859_3},
    {"iso88593", &kIso8859_3},
    {"iso_8859-3", &kIso8859_3},
    {"iso_8859-3:1988", &kIso8859_3},
    {"l3", &kIso8859_3},
    {"latin3", &kIso8859_3},
    {"csisolatin4", &kIso8859_4},
    {"iso-8859-4", &kIso8859_4},
    {"iso-ir-110", &kIso8859_4},
    {"iso8859-4", &kIso8859_4},
    {"iso88594", &kIso8859_4},
    {"iso_8859-4", &kIso8859_4},
    {"iso_8859-4:1988", &kIso8859_4},
    {"l4", &kIso8859_4},
    {"latin4", &kIso8859_4},
    {"csisolatincyrillic", &kIso8859_5},
    {"cyrillic", &kIso8859_5},
    {"iso-8859-5", &kIso8859_5},
    {"iso-ir-144", &kIso8859_5},
    {"iso8859-5", &kIso8859_5},
    {"iso88595", &kIso8859_5},
    {"iso_8859-5", &kIso8859_5},
    {"iso_8859-5:1988", &kIso8859_5},
    {"arabic", &kIso8859_6},
    {"asmo-708", &kIso8859_6},
    {"csiso88596e", &kIso8859_6},
    {"csiso88596i", &kIso8859_6},
    {"csisolatinarabic", &kIso8859_6},
    {"ecma-114", &kIso8859_6},
    {"iso-8859-6", &kIso8859_6},
    {"iso-8859-6-e", &kIso8859_6},
    {"iso-8859-6-i", &kIso8859_6},
    {"iso-ir-127", &kIso8859_6},
    {"iso8859-6", &kIso8859_6},
    {"iso88596", &kIso8859_6},
    {"iso_8859-6", &kIso8859_6},
    {"iso_8859-6:1987", &kIso8859_6},
    {"csisolatingreek", &kIso8859_7},
    {"ecma-118", &kIso8859_7},
    {"elot_928", &kIso8859_7},
    {"greek", &kIso8859_7},
    {"greek8", &kIso8859_7},
    {"iso-8859-7", &kIso8859_7},
    {"iso-ir-126", &kIso8859_7},
    {"iso8859-7", &kIso8859_7},
    {"iso88597", &kIso8859_7},
    {"iso_8859-7", &kIso8859_7},
    {"iso_8859-7:1987", &kIso8859_7},
    {"sun_eu_greek", &kIso8859_7},
    {"csiso88598e", &kIso8859_8},
    {"csisolatinhebrew", &kIso8859_8},
    {"hebrew", &kIso8859_8},
    {"iso-8859-8", &kIso8859_8},
    {"iso-8859-8-e", &kIso8859_8},
    {"iso-ir-138", &kIso8859_8},
    {"iso8859-8", &kIso8859_8},
    {"iso88598", &kIso8859_8},
    {"iso_8859-8", &kIso8859_8},
    {"iso_8859-8:1988", &kIso8859_8},
    {"visual", &kIso8859_8},
    {"csiso88598i", &kIso8859_8},
    {"iso-8859-8-i", &kIso8859_8},
    {"logical", &kIso8859_8},
    {"csisolatin6", &kIso8859_10},
    {"iso-8859-10", &kIso8859_10},
    {"iso-ir-157", &kIso8859_10},
    {"iso8859-10", &kIso8859_10},
    {"iso885910", &kIso8859_10},
    {"l6", &kIso8859_10},
    {"latin6", &kIso8859_10},
    {"iso-8859-13", &kIso8859_13},
    {"iso8859-13", &kIso8859_13},
    {"iso885913", &kIso8859_13},
    {"iso-8859-14", &kIso8859_14},
    {"iso8859-14", &kIso8859_14},
    {"iso885914", &kIso8859_14},
    {"csisolatin9", &kIso8859_15},
    {"iso-8859-15", &kIso8859_15},
    {"iso8859-15", &kIso8859_15},
    {"iso885915", &kIso8859_15},
    {"iso_8859-15", &kIso8859_15},
    {"l9", &kIso8859_15},
    {"iso-8859-16", &kIso8859_16},
    {"cskoi8r", &kKoi8R},
    {"koi", &kKoi8R},
    {"koi8", &kKoi8R},
    {"koi8-r", &kKoi8R},
    {"koi8_r", &kKoi8R},
    {"koi8-ru", &kKoi8U},
    {"koi8-u", &kKoi8U},
    {"csmacintosh", &kMacintosh},
    {"mac", &kMacintosh},
    {"macintosh", &kMacintosh},
    {"x-mac-roman", &kMacintosh},
    {"dos-874", &kWindows874},
    {"iso-8859-11", &kWindows874},
    {"iso8859-11", &kWindows874},
    {"iso885911", &kWindows874},
    {"tis-620", &kWindows874},
    {"windows-874", &kWindows874},
    {"cp1250", &kWindows1250},
    {"windows-1250", &kWindows1250},
    {"x-cp1250", &kWindows1250},
    {"cp1251", &kWindows1251},
    {"windows-1251", &kWindows1251},
    {"x-cp1251", &kWindows1251},
    {"ansi_x3.4-1968", &kWindows1252},
    {"ascii", &kWindows1252},
    {"cp1252", &kWindows1252},
    {"cp819", &kWindows1252},
    {"csisolatin1", &kWindows1252},
    {"ibm819", &kWindows1252},
    {"iso-8859-1", &kWindows1252},
    {"iso-ir-100", &kWindows1252},
    {"iso8859-1", &kWindows1252},
    {"iso88591", &kWindows1252},
    {"iso_8859-1", &kWindows1252},
    {"iso_8859-1:1987", &kWindows1252},
    {"l1", &kWindows1252},
    {"latin1", &kWindows1252},
    {"us-ascii", &kWindows1252},
    {"windows-1252", &kWindows1252},
    {"x-cp1252", &kWindows1252},
    {"cp1253", &kWindows1253},
    {"windows-1253", &kWindows1253},
    {"x-cp1253", &kWindows1253},
    {"cp1254", &kWindows1254},
    {"csisolatin5", &kWindows1254},
    {"iso-8859-9", &kWindows1254},
    {"iso-ir-148", &kWindows1254},
    {"iso8859-9", &kWindows1254},
    {"iso88599", &kWindows1254},
    {"iso_8859-9", &kWindows1254},
    {"iso_8859-9:1989", &kWindows1254},
    {"l5", &kWindows1254},
    {"latin5", &kWindows1254},
    {"windows-1254", &kWindows1254},
    {"x-cp1254", &kWindows1254},
    {"cp1255", &kWindows1255},
    {"windows-1255", &kWindows1255},
    {"x-cp1255", &kWindows1255},
    {"cp1256", &kWindows1256},
    {"windows-1256", &kWindows1256},
    {"x-cp1256", &kWindows1256},
    {"cp1257", &kWindows1257},
    {"windows-1257", &kWindows1257},
    {"x-cp1257", &kWindows1257},
    {"cp1258", &kWindows1258},
    {"windows-1258", &kWindows1258},
    {"x-cp1258", &kWindows1258},
    {"x-mac-cyrillic", &kMacCyrillic},
    {"x-mac-ukrainian", &kMacCyrillic},
    {"chinese", &kGbk},
    {"csgb2312", &kGbk},
    {"csiso58gb231280", &kGbk},
    {"gb2312", &kGbk},
    {"gb_2312", &kGbk},
    {"gb_2312-80", &kGbk},
    {"gbk", &kGbk},
    {"iso-ir-58", &kGbk},
    {"x-gbk", &kGbk},
    {"gb18030", &kGb18030},
    {"big5", &kBig5},
    {"big5-hkscs", &kBig5},
    {"cn-big5", &kBig5},
    {"csbig5", &kBig5},
    {"x-x-big5", &kBig5},
    {"cseucpkdfmtjapanese", &kEucJp},
    {"euc-jp", &kEucJp},
    {"x-euc-jp", &kEucJp},
    {"csiso2022jp", &kIso2022Jp},
    {"iso-2022-jp", &kIso2022Jp},
    {"csshiftjis", &kShiftJis},
    {"ms932", &kShiftJis},
    {"ms_kanji", &kShiftJis},
    {"shift-jis", &kShiftJis},
    {"shift_jis", &kShiftJis},
    {"sjis", &kShiftJis},
    {"windows-31j", &kShiftJis},
    {"x-sjis", &kShiftJis},
    {"cseuckr", &kEucKr},
    {"csksc56011987", &kEucKr},
    {"euc-kr", &kEucKr},
    {"iso-ir-149", &kEucKr},
    {"korean", &kEucKr},
    {"ks_c_5601-1987", &kEucKr},
    {"ks_c_5601-1989", &kEucKr},
    {"ksc5601", &kEucKr},
    {"ksc_5601", &kEucKr},
    {"windows-949", &kEucKr},
    {"unicodefffe", &kUtf16Be},
    {"utf-16be", &kUtf16Be},
    {"csunicode", &kUtf16Le},
    {"iso-10646-ucs-2", &kUtf16Le},
    {"ucs-2", &kUtf16Le},
    {"unicode", &kUtf16Le},
    {"unicodefeff", &kUtf16Le},
    {"utf-16", &kUtf16Le},
    {"utf-16le", &kUtf16Le},
};

// windows-1252 above 0x7F, as browsers decode it: the five bytes the code page leaves
// unassigned stand for the C1 controls of the same number.
constexpr std::array<char16_t, 32> kWindows1252C1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

// windows-1251 above 0x7F. 0x98 is unassigned.
constexpr std::array<char16_t, 128> kWindows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// A single-byte charset through a table of the characters from byte 0x80 on; every other
// byte is Latin-1.
template <std::size_t N>
QByteArray FromSingleByte(QByteArrayView body, const std::array<char16_t, N>& table) {
    constexpr unsigned kFirst = 0x80;
    QString text(body.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : body) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte >= kFirst && byte < kFirst + N ? table[byte - kFirst] : char16_t(byte));
    }
    return text.toUtf8();
}

const Encoding* EncodingOf(QByteArrayView label) {
    const std::string_view name(label.data(), static_cast<std::size_t>(label.size()));
    for (const Label& known : kLabels) {
        if (known.name == name)
            return known.encoding;
    }
    return nullptr;
}

// A label is handed to the system only when it looks like a charset name.
bool IsPlausibleName(QByteArrayView label) {
    constexpr qsizetype kLongestName = 40;
    if (label.isEmpty() || label.size() > kLongestName)
        return false;
    for (const char c : label) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                             c == '_' || c == '.' || c == ':';
        if (!allowed)
            return false;
    }
    return true;
}

struct IconvCloser {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

} // namespace

QByteArray CharsetLabel(QByteArrayView contentType) {
    qsizetype start = contentType.indexOf(';');
    while (start >= 0) {
        const qsizetype end = contentType.indexOf(';', start + 1);
        const QByteArrayView parameter =
            contentType.sliced(start + 1, (end < 0 ? contentType.size() : end) - start - 1);
        const qsizetype equals = parameter.indexOf('=');
        if (equals > 0 &&
            parameter.first(equals).trimmed().compare("charset", Qt::CaseInsensitive) == 0) {
            QByteArrayView value = parameter.sliced(equals + 1).trimmed();
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.sliced(1, value.size() - 2);
            return value.trimmed().toByteArray().toLower();
        }
        start = end;
    }
    return {};
}

std::optional<QByteArray> DecodeWithSystem(QByteArrayView body, const char* name) {
    const iconv_t opened = iconv_open("UTF-8", name);
    if (opened == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const IconvHandle converter(opened);
    static constexpr char kReplacement[] = "\xEF\xBF\xBD";
    QByteArray out;
    out.reserve(body.size() * 2 + 16);
    char* in = const_cast<char*>(body.data());
    std::size_t inLeft = static_cast<std::size_t>(body.size());
    char buffer[4096];
    while (true) {
        char* next = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done =
            inLeft > 0 ? iconv(converter.get(), &in, &inLeft, &next, &room)
                       : iconv(converter.get(), nullptr, nullptr, &next, &room); // flush state
        out.append(buffer, next - buffer);
        if (done != static_cast<std::size_t>(-1)) {
            if (inLeft == 0 && next == buffer)
                break;
            continue;
        }
        if (errno == E2BIG)
            continue;
        // A malformed or cut-off sequence: one replacement character, then go on behind it.
        out.append(kReplacement);
        if (errno == EINVAL || inLeft == 0)
            break;
        ++in;
        --inLeft;
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr); // back to the initial state
    }
    return out;
}

std::optional<QByteArray> DecodeLabelled(QByteArrayView body, QByteArrayView label) {
    const Encoding* encoding = EncodingOf(label);
    if (!encoding) {
        // Not a label browsers know; the system may still have a converter by that name.
        if (!IsPlausibleName(label))
            return std::nullopt;
        return DecodeWithSystem(body, label.toByteArray().constData());
    }
    switch (encoding->decoder) {
    case Decoder::Utf8:
        return std::nullopt;
    case Decoder::Windows1252:
        return FromSingleByte(body, kWindows1252C1);
    case Decoder::Windows1251:
        return FromSingleByte(body, kWindows1251High);
    case Decoder::System:
        break;
    }
    for (const char* name : encoding->systemNames) {
        if (!name)
            break;
        if (std::optional<QByteArray> decoded = DecodeWithSystem(body, name))
            return decoded;
    }
    return std::nullopt;
}

} // namespace lookup
