#include "textout/KeywordText.h"

namespace textout {

namespace {

constexpr QByteArrayView kMetaPrefix = "<meta name=\"keywords\" content=\"";
constexpr QByteArrayView kMetaSuffix = "\">";

void AppendAttributeEscaped(QByteArray& out, const QByteArray& text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
            break;
        }
    }
}

} // namespace

QByteArray MakeMetaTag(const QList<QByteArray>& keywords) {
    QByteArray text = kMetaPrefix.toByteArray();
    for (const QByteArray& keyword : keywords) {
        AppendAttributeEscaped(text, keyword);
        text += ',';
    }
    if (!keywords.isEmpty())
        text.chop(1);
    text += kMetaSuffix;
    return text;
}

QByteArray MakeColumnList(const QList<QByteArray>& keywords) {
    QByteArray text;
    for (const QByteArray& keyword : keywords) {
        text += keyword;
        text += "\r\n";
    }
    return text;
}

QByteArray MakeCommaList(const QList<QByteArray>& keywords) {
    QByteArray text;
    for (const QByteArray& keyword : keywords) {
        text += keyword;
        text += ',';
    }
    text.chop(1);
    return text;
}

} // namespace textout
